#pragma once
// A node of the retained view tree: a rectangle with appearance, children, constraint layout,
// focus and press handling. Parents own children (shared_ptr); the superview pointer is an
// observer that the parent clears when the child leaves it.
//
//   auto card = View::make();
//   card->setBackgroundColor(Color::white());
//   card->layer().setCornerRadius(8);
//   root->addSubview(card);
//   card->setTranslatesAutoresizingMaskIntoConstraints(false);
//   LayoutConstraint::activate({card->centerXAnchor().equalTo(root->centerXAnchor()),
//                               card->widthAnchor().equalToConstant(600)});
//   root->layoutIfNeeded();

#include "tvkit/focus/FocusEnvironment.h"
#include "tvkit/graphics/AffineTransform.h"
#include "tvkit/graphics/Color.h"
#include "tvkit/graphics/EdgeInsets.h"
#include "tvkit/graphics/Rect.h"
#include "tvkit/input/Responder.h"
#include "tvkit/layout/LayoutAnchor.h"
#include "tvkit/layout/LayoutAxis.h"
#include "tvkit/layout/LayoutGuide.h"
#include "tvkit/view/AccessibilityTraits.h"
#include "tvkit/view/Layer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tvkit {

class GestureRecognizer;
class LayoutEngine;
class Painter;
class ViewController;
class Window;

// Which of a manually placed view's dimensions follow its superview's size.
enum AutoresizingMask : unsigned {
    autoresizingNone = 0,
    flexibleWidth = 1,
    flexibleHeight = 2,
};

// The values animations interpolate; see Animator.
struct AnimatableProperties {
    Rect frame;
    AffineTransform transform;
    double alpha = 1;
    Color backgroundColor = Color::clear();
    LayerProperties layer;
};

class View : public Responder, public FocusEnvironment, public std::enable_shared_from_this<View> {
public:
    static constexpr double noIntrinsicMetric = -1;

    View();
    explicit View(const Rect& frame);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    template <class T = View, class... Args>
    static std::shared_ptr<T> make(Args&&... args) {
        return std::make_shared<T>(std::forward<Args>(args)...);
    }

    virtual std::string_view className() const { return "View"; }
    std::uint64_t serial() const { return serial_; }
    std::string debugName() const;  // "Label#12"

    // ---- geometry (frame in the superview's bounds coordinates) ----
    Rect frame() const { return props_.frame; }
    void setFrame(const Rect& frame);
    Rect bounds() const { return {boundsOrigin_, props_.frame.size}; }
    void setBoundsOrigin(Point origin);
    Point center() const { return props_.frame.center(); }
    const AffineTransform& transform() const { return props_.transform; }
    void setTransform(const AffineTransform& t);

    // ---- tree ----
    View* superview() const { return superview_; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
    void addSubview(std::shared_ptr<View> view);
    void insertSubview(std::shared_ptr<View> view, std::size_t index);
    void removeFromSuperview();
    // Removes every subview, in order.
    void removeAllSubviews();
    void bringSubviewToFront(const View* view);
    bool isDescendantOf(const View* ancestor) const;
    View* root();
    const View* root() const;
    Window* window() const;
    View* viewWithTag(int tag);
    static View* commonAncestor(View* a, View* b);
    virtual Window* asWindow() { return nullptr; }

    // ---- appearance ----
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    double alpha() const { return props_.alpha; }
    void setAlpha(double alpha);
    Color backgroundColor() const { return props_.backgroundColor; }
    void setBackgroundColor(Color color);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips);
    Layer& layer() { return layer_; }
    const Layer& layer() const { return layer_; }
    // Model values of everything that animates.
    AnimatableProperties animatableProperties() const;
    // What is on screen now: the model values, blended by running animations.
    AnimatableProperties presentationProperties() const;
    // Hidden itself or under a hidden ancestor, or fully transparent on the way up.
    bool isVisibleInWindow() const;

    // Marks the window as needing a redraw (the renderer consumes it).
    void setNeedsDisplay();
    // Counts setNeedsDisplay calls, so the renderer can tell which views changed.
    std::uint64_t displayVersion() const { return displayVersion_; }
    // Draws the view's own content (text, an image) in its bounds coordinates, over its
    // background and under its subviews and border.
    virtual void draw(Painter& /*painter*/) const {}
    // Called by Layer and the setters before an animatable value changes.
    void willChangeAnimatableProperty();

    // ---- layout ----
    // Requests one deferred layout pass for the whole tree; many requests, one pass.
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    // Runs the pending layout of the tree now.
    void layoutIfNeeded();
    // Places the subviews; the default applies the solved frames of constrained subviews.
    virtual void layoutSubviews();
    // Views that build their own constraints (stack views) do it here, once per pass.
    void setNeedsUpdateConstraints();
    virtual void updateConstraints() {}

    bool translatesAutoresizingMaskIntoConstraints() const { return translatesMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates);
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }

    XAxisAnchor leadingAnchor() { return {layoutItem(), LayoutAttribute::leading}; }
    XAxisAnchor trailingAnchor() { return {layoutItem(), LayoutAttribute::trailing}; }
    XAxisAnchor centerXAnchor() { return {layoutItem(), LayoutAttribute::centerX}; }
    YAxisAnchor topAnchor() { return {layoutItem(), LayoutAttribute::top}; }
    YAxisAnchor bottomAnchor() { return {layoutItem(), LayoutAttribute::bottom}; }
    YAxisAnchor centerYAnchor() { return {layoutItem(), LayoutAttribute::centerY}; }
    DimensionAnchor widthAnchor() { return {layoutItem(), LayoutAttribute::width}; }
    DimensionAnchor heightAnchor() { return {layoutItem(), LayoutAttribute::height}; }
    const std::shared_ptr<LayoutItem>& layoutItem();
    bool hasLayoutItem() const { return item_ != nullptr; }

    // Active constraints held here (those whose nearest common ancestor is this view).
    const std::vector<ConstraintRef>& constraints() const { return constraints_; }
    void addLayoutGuide(std::shared_ptr<LayoutGuide> guide);
    void removeLayoutGuide(const LayoutGuide* guide);
    const std::vector<std::shared_ptr<LayoutGuide>>& layoutGuides() const { return guides_; }

    EdgeInsets layoutMargins() const { return layoutMargins_; }
    void setLayoutMargins(const EdgeInsets& margins);
    LayoutGuide& layoutMarginsGuide();
    // The part of the window's safe area that overlaps this view, as insets of its bounds.
    EdgeInsets safeAreaInsets() const;
    LayoutGuide& safeAreaLayoutGuide();

    virtual Size intrinsicContentSize() const { return {noIntrinsicMetric, noIntrinsicMetric}; }
    void invalidateIntrinsicContentSize();
    double contentHuggingPriority(LayoutAxis axis) const { return hugging_[static_cast<int>(axis)]; }
    void setContentHuggingPriority(double priority, LayoutAxis axis);
    double contentCompressionResistancePriority(LayoutAxis axis) const { return resistance_[static_cast<int>(axis)]; }
    void setContentCompressionResistancePriority(double priority, LayoutAxis axis);

    // The origin of this view in the root's layout space (where solver values live).
    Point layoutOrigin() const;
    // The layout engine of the tree this view is the root of (made on first use).
    LayoutEngine& layoutEngine();
    LayoutEngine* existingLayoutEngine() const { return engine_.get(); }

    // ---- coordinates (transforms are not applied: they are a drawing effect) ----
    // `to` null means the root's coordinates.
    Point convertPoint(Point p, const View* to) const;
    Rect convertRect(const Rect& r, const View* to) const;
    Point convertPointFrom(Point p, const View* from) const;

    // ---- focus ----
    virtual bool canBecomeFocused() const { return false; }
    // The part of the view, in its bounds, that directional moves measure from and to: the
    // bounds unless a subclass says otherwise. A card with a focusable row inside answers its
    // header, so Down reaches the row and Up from the row comes back to the card.
    virtual Rect focusFrame() const { return bounds(); }
    bool isFocused() const;
    FocusEnvironment* parentFocusEnvironment() const override;
    View* focusEnvironmentView() const override { return const_cast<View*>(this); }

    // ---- accessibility (what Accessibility says of the view when it takes focus) ----
    // The name of the element ("Save"), its state ("on") and its kind (AccessibilityTraits);
    // subclasses that have them (a button's title) answer when nothing was set.
    virtual std::string accessibilityLabel() const { return accessibilityLabel_; }
    void setAccessibilityLabel(std::string label) { accessibilityLabel_ = std::move(label); }
    virtual std::string accessibilityValue() const { return accessibilityValue_; }
    void setAccessibilityValue(std::string value) { accessibilityValue_ = std::move(value); }
    virtual unsigned accessibilityTraits() const { return accessibilityTraits_; }
    void setAccessibilityTraits(unsigned traits) { accessibilityTraits_ = traits; }

    // Scroll views bring a focused descendant into sight; other views ignore it.
    virtual void scrollDescendantIntoView(View&) {}

    // ---- responder chain and gestures ----
    Responder* nextResponder() const override;
    ViewController* viewController() const { return controller_; }
    void addGestureRecognizer(std::shared_ptr<GestureRecognizer> recognizer);
    void removeGestureRecognizer(const GestureRecognizer* recognizer);
    const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const { return recognizers_; }

protected:
    // Hooks for subclasses.
    virtual void didMoveToSuperview() {}
    virtual void didMoveToWindow() {}
    virtual void willRemoveSubview(View&) {}
    virtual void subviewVisibilityDidChange(View&) {}
    // Called when a layout pass starts on the root; windows schedule it on the main queue.
    virtual void scheduleLayoutPass();

private:
    friend class LayoutConstraint;
    friend class ViewController;

    void holdConstraint(ConstraintRef c);
    void dropConstraint(const LayoutConstraint* c);
    void attach(std::shared_ptr<View> view, std::size_t index);
    void notifyMovedToWindow();
    void runLayoutPass();
    void layoutRecursively(Point origin);
    void updateConstraintsRecursively();
    void applyAutoresizing(Size oldSize);
    void forEachInSubtree(const std::function<void(View&)>& fn);

    static std::uint64_t nextSerial();

    std::uint64_t serial_;
    std::uint64_t displayVersion_ = 0;
    AnimatableProperties props_;
    Point boundsOrigin_;
    View* superview_ = nullptr;
    std::vector<std::shared_ptr<View>> subviews_;
    Layer layer_;
    bool hidden_ = false;
    bool clipsToBounds_ = false;
    bool userInteractionEnabled_ = true;
    int tag_ = 0;
    std::string accessibilityLabel_;
    std::string accessibilityValue_;
    unsigned accessibilityTraits_ = 0;

    bool translatesMask_ = true;
    unsigned autoresizingMask_ = autoresizingNone;
    bool needsLayout_ = true;
    bool needsUpdateConstraints_ = false;
    bool layoutScheduled_ = false;
    bool inLayoutPass_ = false;
    Point passOrigin_;
    std::shared_ptr<LayoutItem> item_;
    std::vector<ConstraintRef> constraints_;
    std::vector<std::shared_ptr<LayoutGuide>> guides_;
    LayoutGuide* marginsGuide_ = nullptr;
    LayoutGuide* safeAreaGuide_ = nullptr;
    EdgeInsets layoutMargins_ = EdgeInsets::all(8);
    double hugging_[2] = {250, 250};
    double resistance_[2] = {750, 750};
    std::unique_ptr<LayoutEngine> engine_;

    ViewController* controller_ = nullptr;
    std::vector<std::shared_ptr<GestureRecognizer>> recognizers_;
};

} // namespace tvkit
