// Typing with the remote: a Select on an on-screen keyboard key to the redrawn frame, with a
// short and a long text in the field, and an arrow move between keys to its frame.
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/keyboard/OnScreenKeyboard.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/TextField.h"

#include <benchmark/benchmark.h>

using namespace tvkit;

namespace {

// A form screen with a name field whose keyboard is open, focus on the first key.
struct OpenKeyboard {
    HeadlessHost host;
    std::shared_ptr<TextField> field = View::make<TextField>();

    explicit OpenKeyboard(std::size_t initialLength) {
        auto screen = std::make_shared<ViewController>();
        screen->view()->setBackgroundColor(Color::gray(0.95));
        auto title = View::make<Label>("Your details");
        title->setFont(Font::system(32, Font::semibold));
        title->setFrame({120, 80, 800, 48});
        screen->view()->addSubview(title);
        field->setLabel("Name");
        field->setFrame({120, 160, 700, 48});
        field->setBackgroundColor(Color::white());
        field->setText(std::string(initialLength, 'x'));
        screen->view()->addSubview(field);
        host.setRootViewController(screen);
        field->beginEditing();
        host.advance(1);
        host.render();
    }
};

void BM_KeySelectToFrame(benchmark::State& state) {
    const auto initial = static_cast<std::size_t>(state.range(0));
    OpenKeyboard keyboard(initial);
    for (auto _ : state) {
        keyboard.host.press(PressType::select);  // types "a"
        benchmark::DoNotOptimize(keyboard.host.render());
        if (keyboard.field->text().size() > initial + 200) {
            state.PauseTiming();
            keyboard.field->setText(std::string(initial, 'x'));
            keyboard.host.render();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_KeySelectToFrame)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ArrowBetweenKeysToFrame(benchmark::State& state) {
    OpenKeyboard keyboard(0);
    bool right = true;
    for (auto _ : state) {
        keyboard.host.press(right ? PressType::rightArrow : PressType::leftArrow);
        benchmark::DoNotOptimize(keyboard.host.render());
        right = !right;
    }
}
BENCHMARK(BM_ArrowBetweenKeysToFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
