#include "tvkit/app/Window.h"

#include "tvkit/app/Application.h"
#include "tvkit/app/ViewController.h"

namespace tvkit {

Window::Window(const Rect& frame) : View(frame), focus_(*this) {}

Window::~Window() = default;

void Window::setRootViewController(std::shared_ptr<ViewController> controller) {
    if (root_) root_->view()->removeFromSuperview();
    root_ = std::move(controller);
    if (!root_) return;
    const auto& view = root_->view();
    view->setFrame(bounds());
    view->setAutoresizingMask(flexibleWidth | flexibleHeight);
    root_->viewWillAppear(false);
    addSubview(view);
    root_->viewDidAppear(false);
    focus_.requestUpdate(*root_, true);
}

ViewController* Window::topViewController() const {
    ViewController* vc = root_.get();
    while (vc && vc->presentedViewController()) vc = vc->presentedViewController();
    return vc;
}

void Window::makeKeyAndVisible() { Application::shared().makeKey(*this); }


void Window::setWindowSafeAreaInsets(const EdgeInsets& insets) {
    safeArea_ = insets;
    setNeedsLayout();
}

bool Window::takeNeedsDisplay() {
    bool was = needsDisplay_;
    needsDisplay_ = false;
    return was;
}

void Window::markNeedsDisplay() {
    needsDisplay_ = true;
}

Responder* Window::nextResponder() const { return &Application::shared(); }

} // namespace tvkit
