#include "QVTVConsent/ui/ScreenTestFixture.h"

#include "QVTVConsent/ui/controls/QVLoading.h"
#include "platform/RunLoop.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/Label.h"

namespace testsupport {

ScreenTestFixture::ScreenTestFixture() : host_(std::make_unique<tvkit::HeadlessHost>()) {
    hostScreen_ = std::make_shared<tvkit::ViewController>();
    hostScreen_->view()->setBackgroundColor(tvkit::Color::fromRGBA8(0x20, 0x24, 0x2C));
    host_->setRootViewController(hostScreen_);
    host_->window().layoutIfNeeded();
}

ScreenTestFixture::~ScreenTestFixture() {
    // The overlay is process-wide: take it down (after any show still queued) so it cannot
    // cover the next test's window.
    qvtv::QVLoading::hide();
    host_->runPending();
    // The host dismisses what is still presented and lets pending timers run out.
    host_.reset();
}

tvkit::ViewController& ScreenTestFixture::topScreen() {
    tvkit::ViewController* top = window().topViewController();
    return top ? *top : *hostScreen_;
}

void ScreenTestFixture::present(std::shared_ptr<tvkit::ViewController> screen) {
    topScreen().present(std::move(screen), true);
    advance(tvkit::ViewController::transitionDuration + 0.05);
}

void ScreenTestFixture::press(tvkit::PressType type, int times) {
    for (int i = 0; i < times; ++i) host_->press(type);
}

void ScreenTestFixture::presses(std::initializer_list<tvkit::PressType> sequence) {
    for (tvkit::PressType type : sequence) host_->press(type);
}

void ScreenTestFixture::advance(double seconds) { host_->advance(seconds); }

void ScreenTestFixture::drainMain() { host_->runPending(); }

bool ScreenTestFixture::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    bool reached = platform::RunLoop::main().runUntil(done, timeout);
    host_->runPending();
    return reached;
}

std::string ScreenTestFixture::textOf(const tvkit::View* view) {
    if (auto* button = dynamic_cast<const tvkit::Button*>(view)) return button->titleLabel()->text();
    if (auto* label = dynamic_cast<const tvkit::Label*>(view)) return label->text();
    return {};
}

tvkit::View* ScreenTestFixture::findByText(std::string_view text, tvkit::View* root) {
    tvkit::View* found = nullptr;
    visit(root, [&](tvkit::View& v) {
        if (!found && (dynamic_cast<tvkit::Button*>(&v) || dynamic_cast<tvkit::Label*>(&v)) && textOf(&v) == text) {
            found = &v;
        }
    });
    return found;
}

tvkit::Rect ScreenTestFixture::windowFrame(const tvkit::View& view) { return view.convertRect(view.bounds(), nullptr); }

::testing::AssertionResult ScreenTestFixture::matchesGolden(const std::string& name, GoldenImage::Tolerance tolerance) {
    return GoldenImage::compare(host_->render(), name, tolerance);
}

void ScreenTestFixture::visit(tvkit::View* root, const std::function<void(tvkit::View&)>& fn) {
    std::function<void(tvkit::View&)> walk = [&](tvkit::View& v) {
        fn(v);
        for (const auto& child : v.subviews()) walk(*child);
    };
    walk(root ? *root : window());
}

} // namespace testsupport
