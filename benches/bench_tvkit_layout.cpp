// Layout and focus timing of a screen-sized tree: ~530 views in nested stacks (about 4,400
// solver constraints), a full layout from scratch, an incremental re-solve after one constant
// change, and a focus move including the layout it triggers.

#include "platform/RunLoop.h"
#include "tvkit/app/Application.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/app/Window.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/LayoutEngine.h"
#include "tvkit/layout/StackView.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tvkit;

class Box : public View {
public:
    explicit Box(Size s, bool focusable) : size_(s), focusable_(focusable) {}
    Size intrinsicContentSize() const override { return size_; }
    bool canBecomeFocused() const override { return focusable_; }

private:
    Size size_;
    bool focusable_;
};

struct Screen {
    std::shared_ptr<Window> window = View::make<Window>(Rect{0, 0, 1920, 1080});
    std::shared_ptr<ViewController> controller = std::make_shared<ViewController>();
    std::vector<std::shared_ptr<LayoutConstraint>> sectionGaps;

    explicit Screen(bool focusable = false) {
        auto column = View::make<StackView>();
        column->setAxis(LayoutAxis::vertical);
        column->setSpacing(8);
        column->setTranslatesAutoresizingMaskIntoConstraints(false);
        controller->view()->addSubview(column);
        for (int s = 0; s < 10; ++s) {
            auto section = View::make<StackView>();
            section->setAxis(LayoutAxis::vertical);
            section->setSpacing(4);
            section->setAlignment(StackView::Alignment::leading);
            for (int r = 0; r < 4; ++r) {
                auto row = View::make<StackView>();
                row->setSpacing(6);
                row->setAlignment(StackView::Alignment::center);
                row->setDistribution(r % 2 ? StackView::Distribution::fill : StackView::Distribution::equalSpacing);
                for (int i = 0; i < 12; ++i) row->addArrangedSubview(View::make<Box>(Size{100.0 + i, 18.0 + r}, focusable));
                section->addArrangedSubview(row);
            }
            auto gap = View::make();
            section->addArrangedSubview(gap);
            sectionGaps.push_back(gap->heightAnchor().equalToConstant(2));
            sectionGaps.back()->setActive(true);
            column->addArrangedSubview(section);
        }
        LayoutConstraint::activate({column->leadingAnchor().equalTo(controller->view()->leadingAnchor(), 40),
                                    column->topAnchor().equalTo(controller->view()->topAnchor(), 20),
                                    column->widthAnchor().equalToConstant(1800)});
        window->setRootViewController(controller);
    }
};

void BM_FullLayout(benchmark::State& state) {
    std::size_t constraints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto screen = std::make_unique<Screen>();
        state.ResumeTiming();
        screen->window->layoutIfNeeded();
        state.PauseTiming();
        constraints = screen->window->layoutEngine().solver().constraintCount();
        screen.reset();
        platform::RunLoop::main().runPending();
        state.ResumeTiming();
    }
    state.counters["constraints"] = static_cast<double>(constraints);
}
BENCHMARK(BM_FullLayout)->Unit(benchmark::kMillisecond)->ComputeStatistics("median", [](const std::vector<double>& v) {
    std::vector<double> s = v;
    std::sort(s.begin(), s.end());
    return s[s.size() / 2];
})->Repetitions(5);

void BM_IncrementalConstantChange(benchmark::State& state) {
    Screen screen;
    screen.window->layoutIfNeeded();
    double h = 2;
    for (auto _ : state) {
        h = h == 2 ? 30 : 2;
        screen.sectionGaps[5]->setConstant(h);
        screen.window->layoutIfNeeded();
    }
    platform::RunLoop::main().runPending();
}
BENCHMARK(BM_IncrementalConstantChange)->Unit(benchmark::kMicrosecond);

void BM_FocusMove(benchmark::State& state) {
    Screen screen(true);
    screen.window->makeKeyAndVisible();
    screen.window->layoutIfNeeded();
    platform::RunLoop::main().runPending();
    auto& app = Application::shared();
    int step = 0;
    for (auto _ : state) {
        app.sendPress((step++ / 5) % 2 ? PressType::leftArrow : PressType::rightArrow);
        // Moving focus scales nothing here, but a screen usually relays out around it.
        screen.sectionGaps[step % 10]->setConstant(step % 2 ? 3 : 2);
        screen.window->layoutIfNeeded();
    }
    app.removeWindow(*screen.window);
    platform::RunLoop::main().runPending();
}
BENCHMARK(BM_FocusMove)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
