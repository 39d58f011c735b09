#include "tvkit/app/ViewController.h"

#include "platform/DispatchQueue.h"
#include "platform/LogSink.h"
#include "tvkit/app/Accessibility.h"
#include "tvkit/app/Window.h"
#include "tvkit/view/Animator.h"

namespace tvkit {

ViewController::ViewController() = default;

ViewController::~ViewController() {
    if (view_ && view_->controller_ == this) view_->controller_ = nullptr;
}

const std::shared_ptr<View>& ViewController::view() {
    if (!view_) {
        loadView();
        if (!view_) view_ = View::make();
        view_->controller_ = this;
        viewDidLoad();
    }
    return view_;
}

void ViewController::loadView() { view_ = View::make(); }

void ViewController::setView(std::shared_ptr<View> view) {
    if (view_ && view_->controller_ == this) view_->controller_ = nullptr;
    view_ = std::move(view);
    if (view_) view_->controller_ = this;
}

Window* ViewController::window() const { return view_ ? view_->window() : nullptr; }

std::vector<FocusEnvironment*> ViewController::preferredFocusEnvironments() const {
    if (!view_) return {};
    return {view_.get()};
}

FocusEnvironment* ViewController::parentFocusEnvironment() const {
    if (auto presenting = presenting_.lock()) return presenting.get();
    return view_ ? view_->superview() : nullptr;
}

Responder* ViewController::nextResponder() const { return view_ ? view_->superview() : nullptr; }

void ViewController::present(std::shared_ptr<ViewController> controller, bool animated, std::function<void()> completion) {
    Window* w = window();
    if (!controller) return;
    if (presented_ || transitioning_ || !w) {
        platform::LogSink::write("[WARN] ViewController: cannot present \"" + controller->title() + "\"" +
                                 (w ? ": already presenting a screen" : ": not in a window"));
        return;
    }
    presented_ = controller;
    controller->presenting_ = weak_from_this();
    focusBeforePresenting_ = w->focusSystem().focusedView() ? w->focusSystem().focusedView()->weak_from_this()
                                                             : std::weak_ptr<View>();
    const auto& v = controller->view();
    v->setFrame(w->bounds());
    v->setAutoresizingMask(flexibleWidth | flexibleHeight);
    controller->viewWillAppear(animated);
    // The title first; the focus update below then names what the viewer is on.
    Accessibility::announce(controller->title());
    w->addSubview(v);
    w->focusSystem().requestUpdate(*controller, true);
    controller->transitioning_ = true;

    auto done = [controller, animated, completion = std::move(completion)](bool) {
        controller->transitioning_ = false;
        controller->viewDidAppear(animated);
        if (completion) completion();
    };
    if (!animated) {
        platform::DispatchQueue::main().async([done] { done(true); });
        return;
    }
    if (controller->modalTransitionStyle() == ModalTransitionStyle::crossDissolve) {
        performWithoutAnimation([&] { v->setAlpha(0); });
        animate(transitionDuration, [&] { v->setAlpha(1); }, done);
        return;
    }
    Rect target = v->frame();
    performWithoutAnimation([&] { v->setFrame(target.offsetBy(0, target.height())); });
    animate(transitionDuration, [&] { v->setFrame(target); }, done);
}

void ViewController::dismiss(bool animated, std::function<void()> completion) {
    if (!presented_) {
        if (auto presenting = presenting_.lock()) presenting->dismiss(animated, std::move(completion));
        return;
    }
    std::shared_ptr<ViewController> presented = presented_;
    if (presented->transitioning_) {
        // Dismissing mid-transition waits for the transition to settle first.
        auto self = shared_from_this();
        platform::DispatchQueue::main().asyncAfter(
            std::chrono::milliseconds(static_cast<int>(transitionDuration * 1000)),
            [self, animated, completion = std::move(completion)]() mutable { self->dismiss(animated, std::move(completion)); });
        return;
    }
    // Screens presented further up go with it.
    if (presented->presented_) presented->finishDismissal(presented->presented_, {});
    presented->viewWillDisappear(animated);
    presented->transitioning_ = true;
    auto self = shared_from_this();
    auto done = [self, presented, completion = std::move(completion)](bool) mutable {
        self->finishDismissal(presented, std::move(completion));
    };
    const auto& v = presented->view();
    if (!animated) {
        platform::DispatchQueue::main().async([done]() mutable { done(true); });
        return;
    }
    if (presented->modalTransitionStyle() == ModalTransitionStyle::crossDissolve) {
        animate(transitionDuration, [&] { v->setAlpha(0); }, done);
        return;
    }
    Rect f = v->frame();
    animate(transitionDuration, [&] { v->setFrame(f.offsetBy(0, f.height())); }, done);
}

void ViewController::finishDismissal(const std::shared_ptr<ViewController>& presented, std::function<void()> completion) {
    Window* w = window();
    presented->view()->removeFromSuperview();
    presented->transitioning_ = false;
    presented->presenting_.reset();
    presented_.reset();
    presented->viewDidDisappear(true);
    if (w) {
        // Focus returns to where it was before presenting, when that view can still take it.
        auto previous = focusBeforePresenting_.lock();
        if (previous && w->focusSystem().isFocusable(*previous)) {
            w->focusSystem().requestUpdate(*previous, true);
        } else {
            w->focusSystem().requestUpdate(*this, true);
        }
    }
    if (completion) completion();
}

} // namespace tvkit
