#pragma once
// A view whose content is larger than itself: the content offset is the bounds origin. The
// content size comes from constraints on contentLayoutGuide (or is set by hand); the frame
// guide is the scroll view's own rectangle. A focused view inside is scrolled into sight; a
// scroll view that has focus itself (a long text with nothing focusable in it) scrolls by half
// a screen on each arrow press and lets the press move focus only once it is at that end.
//
//   auto scroll = View::make<ScrollView>();
//   scroll->addSubview(stack);
//   LayoutConstraint::activate({
//       stack->topAnchor().equalTo(scroll->contentLayoutGuide().topAnchor()),
//       stack->bottomAnchor().equalTo(scroll->contentLayoutGuide().bottomAnchor()),
//       stack->widthAnchor().equalTo(scroll->frameLayoutGuide().widthAnchor())});

#include "tvkit/view/View.h"

namespace tvkit {

class ScrollView : public View {
public:
    ScrollView();
    std::string_view className() const override { return "ScrollView"; }

    Size contentSize() const { return contentSize_; }
    void setContentSize(Size size);
    Point contentOffset() const { return bounds().origin; }
    // Clamped to the scrollable range.
    void setContentOffset(Point offset, bool animated = false);
    // Scrolls the least distance that shows `rect` (in this view's bounds coordinates).
    void scrollRectToVisible(const Rect& rect, bool animated);
    Point maxContentOffset() const;

    LayoutGuide& contentLayoutGuide() { return *content_; }
    LayoutGuide& frameLayoutGuide() { return *frame_; }

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool showsVerticalScrollIndicator() const { return showsVertical_; }
    void setShowsVerticalScrollIndicator(bool shows);
    bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
    void setShowsHorizontalScrollIndicator(bool shows);

    void layoutSubviews() override;
    void scrollDescendantIntoView(View& view) override;
    void pressesEnded(const PressSet& presses) override;

private:
    LayoutGuide* content_;
    LayoutGuide* frame_;
    Size contentSize_;
    bool scrollEnabled_ = true;
    bool showsVertical_ = true;
    bool showsHorizontal_ = true;
};

} // namespace tvkit
