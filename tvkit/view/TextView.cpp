#include "tvkit/view/TextView.h"

#include "tvkit/app/Application.h"
#include "tvkit/render/Painter.h"

#include <cmath>

namespace tvkit {

void TextView::setAttributedText(AttributedString text) {
    text_ = std::move(text);
    layout_.reset();
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void TextView::setTextContainerInset(const EdgeInsets& inset) {
    inset_ = inset;
    layout_.reset();
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

double TextView::layoutWidth() const { return std::max(0.0, bounds().width() - inset_.horizontal()); }

const TextLayout& TextView::textLayout() const {
    const double width = layoutWidth();
    if (!layout_ || laidOutWidth_ != width) {
        layout_ = std::make_unique<TextLayout>(text_, width);
        laidOutWidth_ = width;
    }
    return *layout_;
}

Size TextView::sizeThatFits(double width) const {
    const Size text = TextLayout::measure(text_, std::max(0.0, width - inset_.horizontal()));
    return {std::ceil(text.width + inset_.horizontal()), std::ceil(text.height + inset_.vertical())};
}

Size TextView::intrinsicContentSize() const {
    // The height depends on the width layout gives; until there is one, the unwrapped text.
    if (bounds().width() <= 0) return sizeThatFits(0);
    const Size text = textLayout().size();
    return {noIntrinsicMetric, std::ceil(text.height + inset_.vertical())};
}

void TextView::layoutSubviews() {
    View::layoutSubviews();
    if (laidOutWidth_ != layoutWidth()) {
        invalidateIntrinsicContentSize();
        setNeedsDisplay();
    }
}

std::optional<std::size_t> TextView::characterIndexAt(Point point) const {
    return textLayout().characterIndexAt(textPoint(point));
}

std::string TextView::linkAt(Point point) const { return textLayout().linkAt(textPoint(point)); }

bool TextView::activateLink(Point point) {
    if (!selectable_) return false;
    const std::string link = linkAt(point);
    if (link.empty()) return false;
    return Application::shared().openURL(link);
}

void TextView::draw(Painter& painter) const {
    if (text_.empty()) return;
    painter.drawText(textLayout(), {inset_.left, inset_.top});
}

} // namespace tvkit
