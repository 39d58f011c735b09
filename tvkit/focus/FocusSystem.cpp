#include "tvkit/focus/FocusSystem.h"

#include "platform/DispatchQueue.h"
#include "tvkit/app/Accessibility.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/app/Window.h"
#include "tvkit/focus/FocusScore.h"
#include "tvkit/view/Animator.h"
#include "tvkit/view/ScrollView.h"

#include <algorithm>
#include <limits>

namespace tvkit {

// ---- FocusEnvironment conveniences -------------------------------------------------------------

FocusSystem* FocusEnvironment::focusSystem() const {
    View* v = focusEnvironmentView();
    Window* w = v ? v->window() : nullptr;
    return w ? &w->focusSystem() : nullptr;
}

void FocusEnvironment::setNeedsFocusUpdate() {
    if (FocusSystem* system = focusSystem()) system->requestUpdate(*this);
}

void FocusEnvironment::updateFocusIfNeeded() {
    if (FocusSystem* system = focusSystem()) system->updateFocusIfNeeded();
}

// ---- queries ------------------------------------------------------------------------------------

View* FocusSystem::scopeView() const {
    ViewController* top = window_.topViewController();
    return top ? top->view().get() : static_cast<View*>(&window_);
}

bool FocusSystem::isFocusable(const View& view) const {
    if (!view.canBecomeFocused() || view.window() != &window_ || view.frame().isEmpty()) return false;
    if (!view.isVisibleInWindow()) return false;
    for (const View* v = &view; v; v = v->superview()) {
        if (!v->isUserInteractionEnabled()) return false;
    }
    return view.isDescendantOf(scopeView());
}

View* FocusSystem::firstFocusable(View& root) const {
    if (isFocusable(root)) return &root;
    for (const auto& child : root.subviews()) {
        if (View* found = firstFocusable(*child)) return found;
    }
    return nullptr;
}

View* FocusSystem::resolvePreferred(FocusEnvironment& environment, int depth) const {
    if (depth > 32) return nullptr;
    for (FocusEnvironment* preferred : environment.preferredFocusEnvironments()) {
        if (!preferred || preferred == &environment) continue;
        if (View* found = resolvePreferred(*preferred, depth + 1)) return found;
    }
    View* view = environment.focusEnvironmentView();
    if (!view) return nullptr;
    return firstFocusable(*view);
}

// ---- updates ------------------------------------------------------------------------------------

void FocusSystem::requestUpdate(FocusEnvironment& environment, bool force) {
    View* envView = environment.focusEnvironmentView();
    if (!envView) return;
    View* focused = focusedView();
    if (!force && focused && !focused->isDescendantOf(envView)) return;
    // The outermost request wins: it covers the inner ones.
    if (hasPending_) {
        auto current = pendingView_.lock();
        if (current && envView->isDescendantOf(current.get()) && current.get() != envView) return;
    }
    pendingView_ = envView->weak_from_this();
    pendingIsController_ = dynamic_cast<ViewController*>(&environment) != nullptr;
    hasPending_ = true;
    scheduleUpdate();
}

void FocusSystem::scheduleUpdate() {
    if (scheduled_) return;
    scheduled_ = true;
    std::weak_ptr<View> window = window_.weak_from_this();
    platform::DispatchQueue::main().async([this, window] {
        if (window.expired()) return;
        scheduled_ = false;
        updateFocusIfNeeded();
    });
}

void FocusSystem::updateFocusIfNeeded() {
    // Requests made from focus callbacks wait until the current update has finished.
    for (int guard = 0; guard < 8 && hasPending_ && !updating_; ++guard) {
        hasPending_ = false;
        auto envView = pendingView_.lock();
        if (!envView || envView->window() != &window_) continue;
        window_.layoutIfNeeded();
        FocusEnvironment* env = envView.get();
        if (pendingIsController_ && envView->viewController()) env = envView->viewController();
        View* target = resolvePreferred(*env);
        if (!target) target = resolvePreferred(*scopeView());
        if (!target || target == focusedView()) continue;
        performUpdate(target->shared_from_this(), FocusHeading::none);
    }
}

bool FocusSystem::moveFocus(FocusHeading heading) {
    if (updating_) return false;
    window_.layoutIfNeeded();
    auto from = focused_.lock();
    if (!from || !isFocusable(*from)) {
        View* target = resolvePreferred(*scopeView());
        return target && performUpdate(target->shared_from_this(), FocusHeading::none);
    }
    Rect fromRect = from->convertRect(from->focusFrame(), nullptr);
    auto bestIn = [&](View* root) -> View* {
        View* best = nullptr;
        double bestScore = std::numeric_limits<double>::max();
        std::vector<View*> stack{root};
        while (!stack.empty()) {
            View* v = stack.back();
            stack.pop_back();
            if (v->isHidden()) continue;
            for (auto it = v->subviews().rbegin(); it != v->subviews().rend(); ++it) stack.push_back(it->get());
            if (v == from.get() || !isFocusable(*v)) continue;
            const Rect candidate = v->convertRect(v->focusFrame(), nullptr);
            // A view around the focused one is a candidate only where its focus frame lies apart.
            if (from->isDescendantOf(v) && candidate.intersects(fromRect)) continue;
            auto s = FocusScore::score(heading, fromRect, candidate);
            if (s && *s < bestScore) {
                bestScore = *s;
                best = v;
            }
        }
        return best;
    };
    // Content scrolled out of sight lies outside its scroll view's frame, possibly under
    // its neighbours; so a move first looks inside the scroll views around the focused view,
    // innermost first, and leaves them only when they have nothing more in that direction.
    View* scope = scopeView();
    View* best = nullptr;
    for (View* v = from->superview(); v && v != scope && !best; v = v->superview()) {
        if (dynamic_cast<ScrollView*>(v)) best = bestIn(v);
    }
    if (!best) best = bestIn(scope);
    return best && performUpdate(best->shared_from_this(), heading);
}

namespace {

// The environments from a view up to the window, deepest first.
void appendChain(View* view, std::vector<FocusEnvironment*>& out) {
    for (FocusEnvironment* e = view; e; e = e->parentFocusEnvironment()) {
        if (std::find(out.begin(), out.end(), e) == out.end()) out.push_back(e);
    }
}

} // namespace

bool FocusSystem::performUpdate(const std::shared_ptr<View>& next, FocusHeading heading) {
    auto previous = focused_.lock();
    if (next == previous) return false;
    FocusUpdateContext context(previous, next, heading);
    std::vector<FocusEnvironment*> involved;
    if (previous) appendChain(previous.get(), involved);
    if (next) appendChain(next.get(), involved);
    updating_ = true;
    for (FocusEnvironment* e : involved) {
        if (!e->shouldUpdateFocus(context)) {
            updating_ = false;
            return false;
        }
    }
    focused_ = next;
    FocusAnimationCoordinator coordinator;
    for (FocusEnvironment* e : involved) e->didUpdateFocus(context, coordinator);
    updating_ = false;

    if (!coordinator.animations().empty() || !coordinator.completions().empty()) {
        auto completions = coordinator.completions();
        animate(animationDuration, 0, {}, [&] {
            for (const auto& a : coordinator.animations()) a();
        }, [completions](bool) {
            for (const auto& c : completions) c();
        });
    }
    if (next) {
        for (View* v = next->superview(); v; v = v->superview()) v->scrollDescendantIntoView(*next);
        if (Accessibility::announcer()) Accessibility::announce(Accessibility::describe(*next));
    }
    window_.markNeedsDisplay();
    if (hasPending_) scheduleUpdate();
    return true;
}

void FocusSystem::viewWillLeave(View& view) {
    auto focused = focused_.lock();
    if (!focused || !focused->isDescendantOf(&view)) return;
    // The view is going: focus moves to what the screen prefers, at the next turn.
    focused_.reset();
    requestUpdate(*scopeView(), true);
}

} // namespace tvkit
