#include "tvkit/host/headless/HeadlessHost.h"

#include "platform/RunLoop.h"
#include "tvkit/app/Application.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/ImageView.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/ScrollView.h"
#include "tvkit/view/TextField.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace tvkit {
namespace {

std::string number(double v) {
    if (std::abs(v - std::round(v)) < 0.005) return std::to_string(static_cast<long long>(std::round(v)));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

std::string colorText(Color c) {
    char buf[16];
    auto byte = [](double x) { return static_cast<unsigned>(std::lround(std::clamp(x, 0.0, 1.0) * 255)); };
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X%02X", byte(c.red), byte(c.green), byte(c.blue), byte(c.alpha));
    return buf;
}

void dumpView(const View& v, int depth, std::ostringstream& out) {
    Rect f = v.frame();
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << v.debugName() << " (" << number(f.minX()) << ", "
        << number(f.minY()) << ", " << number(f.width()) << ", " << number(f.height()) << ")";
    if (v.isFocused()) out << " focused";
    if (v.isHidden()) out << " hidden";
    if (v.alpha() != 1) out << " alpha=" << number(v.alpha());
    if (v.tag() != 0) out << " tag=" << v.tag();
    if (v.backgroundColor().alpha > 0) out << " bg=" << colorText(v.backgroundColor());
    const AffineTransform& t = v.transform();
    if (!t.isIdentity()) out << " scale=" << number(t.a) << "x" << number(t.d);
    if (v.layer().cornerRadius() > 0) out << " radius=" << number(v.layer().cornerRadius());
    if (v.layer().borderWidth() > 0) out << " border=" << number(v.layer().borderWidth());
    if (auto* button = dynamic_cast<const Button*>(&v)) {
        out << " title=\"" << button->titleLabel()->text() << "\"";
        if (!button->isEnabled()) out << " disabled";
    } else if (auto* label = dynamic_cast<const Label*>(&v)) {
        if (!(v.superview() && dynamic_cast<const Button*>(v.superview()))) out << " text=\"" << label->text() << "\"";
    }
    if (auto* field = dynamic_cast<const TextField*>(&v)) out << " text=\"" << field->text() << "\"";
    if (auto* scroll = dynamic_cast<const ScrollView*>(&v)) {
        out << " content=" << number(scroll->contentSize().width) << "x" << number(scroll->contentSize().height)
            << " offset=" << number(scroll->contentOffset().x) << "," << number(scroll->contentOffset().y);
    }
    if (auto* image = dynamic_cast<const ImageView*>(&v); image && !image->image()) out << " no-image";
    out << "\n";
    for (const auto& child : v.subviews()) dumpView(*child, depth + 1, out);
}

} // namespace

HeadlessHost::HeadlessHost(Size screen) : renderer_(screen) {
    auto& loop = platform::RunLoop::main();
    // One virtual clock for the process: time only moves forward, across hosts too.
    if (!loop.clock()->isVirtual()) loop.setClock(std::make_shared<platform::VirtualClock>());
    Application::shared().setScreenSize(screen);
    window_ = View::make<Window>(Rect{{0, 0}, screen});
    window_->makeKeyAndVisible();
}

HeadlessHost::~HeadlessHost() {
    // Let pending transitions and timers finish while everything they touch is alive.
    advance(10);
    if (auto* root = window_->rootViewController()) {
        while (root->presentedViewController()) {
            root->dismiss(false);
            runPending();
        }
    }
    Application::shared().removeWindow(*window_);
}

void HeadlessHost::setRootViewController(std::shared_ptr<ViewController> controller) {
    window_->setRootViewController(std::move(controller));
    runPending();
}

void HeadlessHost::press(PressType type) {
    Application::shared().sendPress(type);
    runPending();
}

int HeadlessHost::pressArrowsTo(const View& target, int limit) {
    for (int presses = 0; presses <= limit; ++presses) {
        View* focused = focusedView();
        if (!focused) return -1;
        if (focused == &target) return presses;
        if (presses == limit) break;
        // Up or down first while the target is on another row, then across.
        const Rect from = focused->convertRect(focused->bounds(), nullptr);
        const Rect to = target.convertRect(target.bounds(), nullptr);
        PressType arrow = PressType::rightArrow;
        if (to.midY() < from.minY()) arrow = PressType::upArrow;
        else if (to.midY() > from.maxY()) arrow = PressType::downArrow;
        else if (to.midX() < from.midX()) arrow = PressType::leftArrow;
        press(arrow);
    }
    return -1;
}

void HeadlessHost::pressKey(const std::string& input) {
    Application::shared().sendPress(Press::keyboard(input));
    runPending();
}

void HeadlessHost::swipe(SwipeDirection direction) {
    Application::shared().sendSwipe(direction);
    runPending();
}

bool HeadlessHost::type(const std::string& text) {
    bool taken = Application::shared().sendText(text);
    runPending();
    return taken;
}

void HeadlessHost::advance(double seconds) {
    auto by = std::chrono::duration_cast<platform::Clock::Duration>(std::chrono::duration<double>(seconds));
    platform::RunLoop::main().advance(by);
    runPending();
}

void HeadlessHost::runPending() {
    auto& loop = platform::RunLoop::main();
    for (int i = 0; i < 16 && loop.runPending() > 0; ++i) {
    }
    window_->layoutIfNeeded();
}

const Bitmap& HeadlessHost::render() {
    runPending();
    renderer_.render(*window_);
    return renderer_.frame();
}

bool HeadlessHost::writeSnapshot(const std::string& path) { return render().writePng(path); }

std::string HeadlessHost::dumpTree() const { return dump(*window_); }

std::string HeadlessHost::dump(const View& root) {
    std::ostringstream out;
    dumpView(root, 0, out);
    return out.str();
}

} // namespace tvkit
