#include "tvkit/view/View.h"

#include "platform/DispatchQueue.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/app/Window.h"
#include "tvkit/focus/FocusSystem.h"
#include "tvkit/input/GestureRecognizer.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/LayoutEngine.h"
#include "tvkit/layout/LayoutGuide.h"
#include "tvkit/view/Animator.h"

#include <algorithm>
#include <atomic>

namespace tvkit {

std::uint64_t View::nextSerial() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

View::View() : serial_(nextSerial()), layer_(*this) {}

View::View(const Rect& frame) : View() { props_.frame = frame; }

View::~View() {
    for (auto& child : subviews_) child->superview_ = nullptr;
    if (item_) item_->view = nullptr;
    for (auto& guide : guides_) {
        guide->owner_ = nullptr;
        if (guide->item_) guide->item_->view = nullptr;
    }
    // Constraints die with their holder; make sure none still points here.
    for (auto& c : constraints_) c->holder_ = nullptr;
    Animator::shared().forget(this);
}

std::string View::debugName() const { return std::string(className()) + "#" + std::to_string(serial_); }

// ---- geometry ---------------------------------------------------------------------------------

void View::setFrame(const Rect& frame) {
    if (frame == props_.frame) return;
    willChangeAnimatableProperty();
    Size oldSize = props_.frame.size;
    props_.frame = frame;
    if (View* r = root(); r->engine_) r->engine_->frameChanged(*this);
    if (oldSize != frame.size) {
        applyAutoresizing(oldSize);
        setNeedsLayout();
    }
    // The renderer repaints the old and the new place when the frame it draws differs, so a
    // view that a layout pass moves and puts back costs no redraw.
    if (Window* w = window()) w->markNeedsDisplay();
}

void View::setBoundsOrigin(Point origin) {
    if (origin == boundsOrigin_) return;
    boundsOrigin_ = origin;
    setNeedsDisplay();
}

void View::setTransform(const AffineTransform& t) {
    if (t == props_.transform) return;
    willChangeAnimatableProperty();
    props_.transform = t;
    setNeedsDisplay();
}

void View::applyAutoresizing(Size oldSize) {
    double dw = props_.frame.width() - oldSize.width;
    double dh = props_.frame.height() - oldSize.height;
    for (auto& child : subviews_) {
        if (!child->translatesMask_ || child->autoresizingMask_ == autoresizingNone) continue;
        Rect f = child->frame();
        if (child->autoresizingMask_ & flexibleWidth) f.size.width = std::max(0.0, f.width() + dw);
        if (child->autoresizingMask_ & flexibleHeight) f.size.height = std::max(0.0, f.height() + dh);
        child->setFrame(f);
    }
}

// ---- tree ---------------------------------------------------------------------------------------

void View::addSubview(std::shared_ptr<View> view) { insertSubview(std::move(view), subviews_.size()); }

void View::insertSubview(std::shared_ptr<View> view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOf(view.get())) return;
    if (view->superview_ == this) {
        // Reordering keeps constraints: only the position among siblings changes.
        auto it = std::find(subviews_.begin(), subviews_.end(), view);
        std::size_t from = static_cast<std::size_t>(it - subviews_.begin());
        subviews_.erase(it);
        subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(std::min(index > from ? index - 1 : index, subviews_.size())), view);
        setNeedsDisplay();
        return;
    }
    view->removeFromSuperview();
    attach(std::move(view), std::min(index, subviews_.size()));
}

void View::attach(std::shared_ptr<View> view, std::size_t index) {
    View* child = view.get();
    // The child's own engine (it was a root) goes: its constraints join this tree's engine.
    if (child->engine_) {
        child->forEachInSubtree([](View& v) {
            for (auto& c : v.constraints_) c->engine_ = nullptr;
        });
        child->engine_.reset();
    }
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), std::move(view));
    child->superview_ = this;
    if (LayoutEngine* engine = root()->engine_.get()) engine->adopt(*child);
    child->didMoveToSuperview();
    if (window()) child->notifyMovedToWindow();
    child->setNeedsLayout();
    setNeedsLayout();
    // Only the newcomer is damage: repainting the whole parent (a card and its shadow, say)
    // for every child it gains would make each change of a screen's body cost the screen.
    child->setNeedsDisplay();
}

void View::removeFromSuperview() {
    View* parent = superview_;
    if (!parent) return;
    Window* oldWindow = window();
    if (LayoutEngine* engine = root()->engine_.get()) engine->release(*this);
    // Constraints held higher up that mention this subtree cannot hold any more.
    for (View* a = parent; a; a = a->superview_) {
        std::vector<ConstraintRef> doomed;
        for (auto& c : a->constraints_) {
            View* first = c->firstAnchor().item()->view;
            View* second = c->secondAnchor() ? c->secondAnchor()->item()->view : nullptr;
            bool mentions = (first && first->isDescendantOf(this)) || (second && second->isDescendantOf(this));
            if (mentions) doomed.push_back(c);
        }
        for (auto& c : doomed) c->setActive(false);
    }
    if (oldWindow) oldWindow->focusSystem().viewWillLeave(*this);
    parent->willRemoveSubview(*this);
    auto self = shared_from_this();  // keep alive until the bookkeeping is done
    auto& siblings = parent->subviews_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), self));
    superview_ = nullptr;
    parent->setNeedsLayout();
    // The renderer repaints where this view was; the parent itself is unchanged.
    if (oldWindow) oldWindow->markNeedsDisplay();
    didMoveToSuperview();
    if (oldWindow) notifyMovedToWindow();
}

void View::removeAllSubviews() {
    auto children = subviews_;
    for (auto& child : children) child->removeFromSuperview();
}

void View::bringSubviewToFront(const View* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](const auto& v) { return v.get() == view; });
    if (it == subviews_.end()) return;
    std::rotate(it, it + 1, subviews_.end());
    setNeedsDisplay();
}

bool View::isDescendantOf(const View* ancestor) const {
    for (const View* v = this; v; v = v->superview_) {
        if (v == ancestor) return true;
    }
    return false;
}

View* View::root() {
    View* v = this;
    while (v->superview_) v = v->superview_;
    return v;
}

const View* View::root() const {
    const View* v = this;
    while (v->superview_) v = v->superview_;
    return v;
}

Window* View::window() const { return const_cast<View*>(root())->asWindow(); }

View* View::viewWithTag(int tag) {
    if (tag_ == tag) return this;
    for (auto& child : subviews_) {
        if (View* found = child->viewWithTag(tag)) return found;
    }
    return nullptr;
}

View* View::commonAncestor(View* a, View* b) {
    for (View* x = a; x; x = x->superview_) {
        if (b->isDescendantOf(x)) return x;
    }
    return nullptr;
}

void View::forEachInSubtree(const std::function<void(View&)>& fn) {
    fn(*this);
    for (auto& child : subviews_) child->forEachInSubtree(fn);
}

void View::notifyMovedToWindow() {
    didMoveToWindow();
    for (auto& child : subviews_) child->notifyMovedToWindow();
}

// ---- appearance ---------------------------------------------------------------------------------

void View::setHidden(bool hidden) {
    if (hidden == hidden_) return;
    hidden_ = hidden;
    if (hidden) {
        if (Window* w = window()) w->focusSystem().viewWillLeave(*this);
    }
    if (superview_) superview_->subviewVisibilityDidChange(*this);
    setNeedsDisplay();
}

void View::setAlpha(double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == props_.alpha) return;
    willChangeAnimatableProperty();
    props_.alpha = alpha;
    setNeedsDisplay();
}

void View::setBackgroundColor(Color color) {
    if (color == props_.backgroundColor) return;
    willChangeAnimatableProperty();
    props_.backgroundColor = color;
    setNeedsDisplay();
}

void View::setClipsToBounds(bool clips) {
    clipsToBounds_ = clips;
    setNeedsDisplay();
}

AnimatableProperties View::animatableProperties() const {
    AnimatableProperties p = props_;
    p.layer = layer_.properties();
    return p;
}

AnimatableProperties View::presentationProperties() const { return Animator::shared().presentation(*this); }

bool View::isVisibleInWindow() const {
    for (const View* v = this; v; v = v->superview_) {
        if (v->hidden_ || v->props_.alpha <= 0.01) return false;
    }
    return window() != nullptr;
}

void View::setNeedsDisplay() {
    ++displayVersion_;
    if (Window* w = window()) w->markNeedsDisplay();
}

void View::willChangeAnimatableProperty() { Animator::shared().willChange(*this); }

// ---- layout ---------------------------------------------------------------------------------------

void View::setNeedsLayout() {
    needsLayout_ = true;
    View* r = root();
    if (r->layoutScheduled_ || r->inLayoutPass_) return;
    r->layoutScheduled_ = true;
    r->scheduleLayoutPass();
}

void View::scheduleLayoutPass() {
    std::weak_ptr<View> weak = weak_from_this();
    if (weak.expired()) return;
    platform::DispatchQueue::main().async([weak] {
        if (auto v = weak.lock()) {
            if (v->superview_ == nullptr && v->layoutScheduled_) v->runLayoutPass();
        }
    });
}

void View::layoutIfNeeded() { root()->runLayoutPass(); }

void View::runLayoutPass() {
    if (inLayoutPass_) return;
    inLayoutPass_ = true;
    LayoutEngine& engine = layoutEngine();
    // Laying out may change what the engine knows (a label wrapping at its new width, a
    // manually placed view moved by its parent), so a few rounds run until nothing changes.
    for (int round = 0; round < 8; ++round) {
        layoutScheduled_ = false;
        updateConstraintsRecursively();
        engine.update();
        layoutRecursively(props_.frame.origin);
        if (!engine.hasPendingChanges()) break;
    }
    layoutScheduled_ = false;
    inLayoutPass_ = false;
}

void View::setNeedsUpdateConstraints() {
    needsUpdateConstraints_ = true;
    setNeedsLayout();
}

void View::updateConstraintsRecursively() {
    if (needsUpdateConstraints_) {
        needsUpdateConstraints_ = false;
        updateConstraints();
    }
    for (auto& child : subviews_) child->updateConstraintsRecursively();
}

void View::layoutRecursively(Point origin) {
    passOrigin_ = origin;
    layoutSubviews();
    needsLayout_ = false;
    auto children = subviews_;
    for (auto& child : children) {
        if (child->superview_ != this) continue;
        child->layoutRecursively(origin + child->props_.frame.origin);
    }
}

void View::layoutSubviews() {
    LayoutEngine* engine = root()->engine_.get();
    if (!engine) return;
    for (auto& child : subviews_) {
        if (child->translatesMask_ || !child->item_ || !engine->isTracked(child->item_.get())) continue;
        Rect solved = child->item_->solvedRect();
        child->setFrame(solved.offsetBy(-passOrigin_.x, -passOrigin_.y));
    }
}

LayoutEngine& View::layoutEngine() {
    View* r = root();
    if (!r->engine_) r->engine_ = std::make_unique<LayoutEngine>(*r);
    return *r->engine_;
}

Point View::layoutOrigin() const {
    Point p = props_.frame.origin;
    for (const View* v = superview_; v; v = v->superview_) p = p + v->props_.frame.origin;
    return p;
}

void View::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
    if (translates == translatesMask_) return;
    translatesMask_ = translates;
    if (LayoutEngine* engine = root()->engine_.get()) engine->derivedConstraintsChanged(*this);
    setNeedsLayout();
}

const std::shared_ptr<LayoutItem>& View::layoutItem() {
    if (!item_) item_ = std::make_shared<LayoutItem>(this, nullptr, debugName());
    return item_;
}

void View::holdConstraint(ConstraintRef c) {
    constraints_.push_back(c);
    if (LayoutEngine* engine = root()->engine_.get()) engine->add(c);
    setNeedsLayout();
}

void View::dropConstraint(const LayoutConstraint* c) {
    auto it = std::find_if(constraints_.begin(), constraints_.end(), [&](const auto& x) { return x.get() == c; });
    if (it == constraints_.end()) return;
    auto keep = *it;  // the caller may be the last owner
    constraints_.erase(it);
    setNeedsLayout();
}

void View::addLayoutGuide(std::shared_ptr<LayoutGuide> guide) {
    if (!guide || guide->owner_) return;
    guide->owner_ = this;
    guides_.push_back(std::move(guide));
}

void View::removeLayoutGuide(const LayoutGuide* guide) {
    auto it = std::find_if(guides_.begin(), guides_.end(), [&](const auto& g) { return g.get() == guide; });
    if (it == guides_.end()) return;
    std::vector<ConstraintRef> doomed;
    for (View* a = this; a; a = a->superview_) {
        for (auto& c : a->constraints_) {
            bool mentions = c->firstAnchor().item()->guide == guide ||
                            (c->secondAnchor() && c->secondAnchor()->item()->guide == guide);
            if (mentions) doomed.push_back(c);
        }
    }
    for (auto& c : doomed) c->setActive(false);
    (*it)->owner_ = nullptr;
    guides_.erase(it);
}

void View::setLayoutMargins(const EdgeInsets& margins) {
    if (margins == layoutMargins_) return;
    layoutMargins_ = margins;
    if (LayoutEngine* engine = root()->engine_.get()) engine->derivedConstraintsChanged(*this);
    setNeedsLayout();
}

LayoutGuide& View::layoutMarginsGuide() {
    if (!marginsGuide_) {
        auto guide = std::make_shared<LayoutGuide>(LayoutGuide::Kind::layoutMargins);
        marginsGuide_ = guide.get();
        addLayoutGuide(std::move(guide));
    }
    return *marginsGuide_;
}

EdgeInsets View::safeAreaInsets() const {
    const Window* w = window();
    if (!w) return {};
    Rect safe = w->bounds().inset(w->windowSafeAreaInsets());
    Rect mine = convertRect(bounds(), nullptr);
    EdgeInsets e;
    e.top = std::clamp(safe.minY() - mine.minY(), 0.0, mine.height());
    e.left = std::clamp(safe.minX() - mine.minX(), 0.0, mine.width());
    e.bottom = std::clamp(mine.maxY() - safe.maxY(), 0.0, mine.height());
    e.right = std::clamp(mine.maxX() - safe.maxX(), 0.0, mine.width());
    return e;
}

LayoutGuide& View::safeAreaLayoutGuide() {
    if (!safeAreaGuide_) {
        auto guide = std::make_shared<LayoutGuide>(LayoutGuide::Kind::safeArea);
        safeAreaGuide_ = guide.get();
        addLayoutGuide(std::move(guide));
    }
    return *safeAreaGuide_;
}

void View::invalidateIntrinsicContentSize() {
    if (LayoutEngine* engine = root()->engine_.get()) engine->intrinsicSizeChanged(*this);
    setNeedsLayout();
}

void View::setContentHuggingPriority(double priority, LayoutAxis axis) {
    hugging_[static_cast<int>(axis)] = priority;
    invalidateIntrinsicContentSize();
}

void View::setContentCompressionResistancePriority(double priority, LayoutAxis axis) {
    resistance_[static_cast<int>(axis)] = priority;
    invalidateIntrinsicContentSize();
}

// ---- coordinates ----------------------------------------------------------------------------------

Point View::convertPoint(Point p, const View* to) const {
    // Up to the root's coordinates, then down into `to`'s.
    for (const View* v = this; v->superview_; v = v->superview_) {
        p = p - v->boundsOrigin_ + v->props_.frame.origin;
    }
    if (!to) return p;
    return to->convertPointFrom(p, nullptr);
}

Point View::convertPointFrom(Point p, const View* from) const {
    if (from) p = from->convertPoint(p, nullptr);
    Point inRoot = convertPoint({0, 0}, nullptr);
    return p - inRoot;
}

Rect View::convertRect(const Rect& r, const View* to) const { return {convertPoint(r.origin, to), r.size}; }

// ---- focus and responders -------------------------------------------------------------------------

bool View::isFocused() const {
    Window* w = window();
    return w && w->focusSystem().focusedView() == this;
}

FocusEnvironment* View::parentFocusEnvironment() const {
    if (controller_) return controller_;
    return superview_;
}

Responder* View::nextResponder() const {
    if (controller_) return controller_;
    return superview_;
}

void View::addGestureRecognizer(std::shared_ptr<GestureRecognizer> recognizer) {
    if (!recognizer) return;
    recognizer->view_ = this;
    recognizers_.push_back(std::move(recognizer));
}

void View::removeGestureRecognizer(const GestureRecognizer* recognizer) {
    auto it = std::find_if(recognizers_.begin(), recognizers_.end(), [&](const auto& r) { return r.get() == recognizer; });
    if (it == recognizers_.end()) return;
    (*it)->view_ = nullptr;
    recognizers_.erase(it);
}

} // namespace tvkit
