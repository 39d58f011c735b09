#pragma once
// A rectangle that takes part in constraint layout without being a view: spacing regions,
// a view's layout margins and safe area, a scroll view's content and frame. Owned by a view.
//
//   auto guide = std::make_shared<LayoutGuide>();
//   container->addLayoutGuide(guide);
//   guide->widthAnchor().equalToConstant(40)->setActive(true);

#include "tvkit/layout/LayoutAnchor.h"

#include <memory>
#include <string>

namespace tvkit {

class View;

class LayoutGuide {
public:
    // What the engine ties the guide to: nothing (custom), the owner's edges inset by its
    // margins or safe area, a scroll view's content origin, or the owner's own frame.
    enum class Kind { custom, layoutMargins, safeArea, scrollContent, scrollFrame };

    explicit LayoutGuide(Kind kind = Kind::custom) : kind_(kind) {}
    ~LayoutGuide();

    Kind kind() const { return kind_; }
    View* owningView() const { return owner_; }
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string id) { identifier_ = std::move(id); }
    // The solved rectangle in the owning view's coordinates (after a layout pass).
    Rect layoutFrame() const;

    XAxisAnchor leadingAnchor() { return {item(), LayoutAttribute::leading}; }
    XAxisAnchor trailingAnchor() { return {item(), LayoutAttribute::trailing}; }
    XAxisAnchor centerXAnchor() { return {item(), LayoutAttribute::centerX}; }
    YAxisAnchor topAnchor() { return {item(), LayoutAttribute::top}; }
    YAxisAnchor bottomAnchor() { return {item(), LayoutAttribute::bottom}; }
    YAxisAnchor centerYAnchor() { return {item(), LayoutAttribute::centerY}; }
    DimensionAnchor widthAnchor() { return {item(), LayoutAttribute::width}; }
    DimensionAnchor heightAnchor() { return {item(), LayoutAttribute::height}; }

    const std::shared_ptr<LayoutItem>& item();

private:
    friend class View;
    Kind kind_;
    View* owner_ = nullptr;
    std::string identifier_;
    std::shared_ptr<LayoutItem> item_;
};

} // namespace tvkit
