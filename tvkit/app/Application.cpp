#include "tvkit/app/Application.h"

#include "platform/LogSink.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/app/Window.h"

#include <algorithm>

namespace tvkit {

Application& Application::shared() {
    static Application app;
    return app;
}

std::vector<Window*> Application::windows() const {
    std::vector<Window*> out;
    for (const auto& w : windows_) {
        if (auto v = w.lock()) out.push_back(v->asWindow());
    }
    return out;
}

Window* Application::keyWindow() const {
    auto v = key_.lock();
    return v ? v->asWindow() : nullptr;
}

void Application::makeKey(Window& window) {
    std::erase_if(windows_, [](const auto& w) { return w.expired(); });
    auto weak = window.weak_from_this();
    bool known = std::any_of(windows_.begin(), windows_.end(), [&](const auto& w) { return w.lock().get() == &window; });
    if (!known) windows_.push_back(weak);
    key_ = weak;
}

void Application::removeWindow(Window& window) {
    std::erase_if(windows_, [&](const auto& w) { return w.expired() || w.lock().get() == &window; });
    if (key_.lock().get() == &window) key_.reset();
}

Responder* Application::firstResponder() const {
    Window* w = keyWindow();
    if (!w) return nullptr;
    if (View* focused = w->focusSystem().focusedView()) return focused;
    if (ViewController* top = w->topViewController()) return top->view().get();
    return w;
}

void Application::sendPress(const Press& press) {
    Window* w = keyWindow();
    if (!w) return;
    auto keepAlive = w->shared_from_this();
    w->layoutIfNeeded();
    Responder* first = firstResponder();
    if (!first) return;
    // Recognisers on the focused view's chain see the press before the views do.
    for (View* v = dynamic_cast<View*>(first); v; v = v->superview()) {
        for (const auto& r : v->gestureRecognizers()) {
            if (r->isEnabled() && r->claimsPress(press)) {
                auto hold = r;
                hold->recognize();
                return;
            }
        }
    }
    PressSet presses{press};
    first->pressesBegan(presses);
    // The began phase may have changed focus or the tree; the end goes to what is focused now.
    first = firstResponder();
    if (first) first->pressesEnded(presses);
}

void Application::sendSwipe(SwipeDirection direction) {
    Window* w = keyWindow();
    if (!w) return;
    auto keepAlive = w->shared_from_this();
    w->layoutIfNeeded();
    for (View* v = dynamic_cast<View*>(firstResponder()); v; v = v->superview()) {
        for (const auto& r : v->gestureRecognizers()) {
            if (r->isEnabled() && r->claimsSwipe(direction)) {
                auto hold = r;
                hold->recognize();
                return;
            }
        }
    }
    static constexpr FocusHeading kHeadings[] = {FocusHeading::none, FocusHeading::right, FocusHeading::left,
                                                 FocusHeading::none, FocusHeading::up,    FocusHeading::none,
                                                 FocusHeading::none, FocusHeading::none,  FocusHeading::down};
    w->focusSystem().moveFocus(kHeadings[static_cast<int>(direction)]);
}

bool Application::sendText(const std::string& text) {
    Responder* first = firstResponder();
    return first && first->insertText(text);
}

bool Application::isEditingText() const {
    Responder* first = firstResponder();
    return first && first->acceptsTypedText();
}

bool Application::openURL(const std::string& url) {
    if (!openURL_) {
        platform::LogSink::write("[WARN] Application: no handler to open " + url);
        return false;
    }
    return openURL_(url);
}

void Application::pressesEnded(const PressSet& presses) {
    if (presses.empty()) return;
    const Press& press = presses.front();
    Window* w = keyWindow();
    if (!w) return;
    if (auto heading = headingFor(press.type)) {
        w->focusSystem().moveFocus(*heading);
        return;
    }
    if (press.type == PressType::keyboard) {
        for (Responder* r = firstResponder(); r; r = r->nextResponder()) {
            for (const auto& command : r->keyCommands()) {
                if (command.input == press.key && command.action) {
                    command.action();
                    return;
                }
            }
        }
        return;
    }
    if (press.type == PressType::menu) {
        // Menu leaves a presented screen, as the remote's back button does.
        ViewController* top = w->topViewController();
        if (top && top->presentingViewController()) top->dismiss(true);
    }
}

} // namespace tvkit
