#include "tvkit/view/ScrollView.h"

#include "tvkit/layout/LayoutEngine.h"
#include "tvkit/layout/LayoutGuide.h"

#include <algorithm>

namespace tvkit {

ScrollView::ScrollView() {
    setClipsToBounds(true);
    auto content = std::make_shared<LayoutGuide>(LayoutGuide::Kind::scrollContent);
    auto frame = std::make_shared<LayoutGuide>(LayoutGuide::Kind::scrollFrame);
    content_ = content.get();
    frame_ = frame.get();
    addLayoutGuide(std::move(content));
    addLayoutGuide(std::move(frame));
}

void ScrollView::setContentSize(Size size) {
    if (size == contentSize_) return;
    contentSize_ = size;
    setContentOffset(contentOffset());
}

Point ScrollView::maxContentOffset() const {
    return {std::max(0.0, contentSize_.width - frame().width()), std::max(0.0, contentSize_.height - frame().height())};
}

void ScrollView::setContentOffset(Point offset, bool /*animated*/) {
    Point max = maxContentOffset();
    setBoundsOrigin({std::clamp(offset.x, 0.0, max.x), std::clamp(offset.y, 0.0, max.y)});
}

void ScrollView::scrollRectToVisible(const Rect& rect, bool animated) {
    Rect visible = bounds();
    Point offset = visible.origin;
    if (rect.maxY() > visible.maxY()) offset.y = rect.maxY() - visible.height();
    if (rect.minY() < offset.y) offset.y = rect.minY();
    if (rect.maxX() > visible.maxX()) offset.x = rect.maxX() - visible.width();
    if (rect.minX() < offset.x) offset.x = rect.minX();
    setContentOffset(offset, animated);
}

void ScrollView::setShowsVerticalScrollIndicator(bool shows) {
    showsVertical_ = shows;
    setNeedsDisplay();
}

void ScrollView::setShowsHorizontalScrollIndicator(bool shows) {
    showsHorizontal_ = shows;
    setNeedsDisplay();
}

void ScrollView::layoutSubviews() {
    View::layoutSubviews();
    LayoutEngine* engine = root()->existingLayoutEngine();
    if (engine && engine->isTracked(content_->item().get())) setContentSize(content_->layoutFrame().size);
}

void ScrollView::scrollDescendantIntoView(View& view) {
    if (!scrollEnabled_) return;
    scrollRectToVisible(view.convertRect(view.bounds(), this), true);
}

void ScrollView::pressesEnded(const PressSet& presses) {
    if (scrollEnabled_ && isFocused() && !presses.empty()) {
        const Point from = contentOffset();
        const Point step{frame().width() / 2, frame().height() / 2};
        Point to = from;
        switch (presses.front().type) {
        case PressType::upArrow: to.y -= step.y; break;
        case PressType::downArrow: to.y += step.y; break;
        case PressType::leftArrow: to.x -= step.x; break;
        case PressType::rightArrow: to.x += step.x; break;
        default: break;
        }
        setContentOffset(to, true);
        if (contentOffset() != from) return;
    }
    View::pressesEnded(presses);
}

} // namespace tvkit
