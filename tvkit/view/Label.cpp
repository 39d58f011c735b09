#include "tvkit/view/Label.h"

#include "tvkit/render/Painter.h"
#include "tvkit/text/TextLayout.h"
#include "tvkit/text/TextMeasurer.h"

#include <algorithm>

namespace tvkit {

std::string Label::accessibilityLabel() const {
    std::string set = View::accessibilityLabel();
    return set.empty() ? text_ : set;
}

void Label::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    textChanged();
}

void Label::setFont(Font font) {
    if (font == font_) return;
    font_ = std::move(font);
    textChanged();
}

void Label::setTextColor(Color color) {
    if (color == textColor_) return;
    textColor_ = color;
    appearanceChanged();
}

void Label::setNumberOfLines(int lines) {
    if (lines == lines_) return;
    lines_ = lines;
    textChanged();
}

void Label::setTextAlignment(TextAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    appearanceChanged();
}

void Label::setPreferredMaxLayoutWidth(double width) {
    preferredMaxWidth_ = width;
    textChanged();
}

void Label::textChanged() {
    invalidateIntrinsicContentSize();
    appearanceChanged();
}

void Label::appearanceChanged() {
    layout_.reset();
    setNeedsDisplay();
}

void Label::draw(Painter& painter) const { drawText(painter, bounds()); }

void Label::drawText(Painter& painter, const Rect& b) const {
    if (text_.empty()) return;
    if (!layout_ || layoutWidth_ != b.width()) {
        TextAttributes attributes;
        attributes.font = font_;
        attributes.color = textColor_;
        TextLayoutOptions options;
        options.width = b.width();
        options.maxLines = lines_;
        options.alignment = alignment_;
        layout_ = std::make_shared<TextLayout>(AttributedString(text_, attributes), options);
        layoutWidth_ = b.width();
    }
    const double y = b.minY() + (b.height() - layout_->size().height) / 2;
    painter.drawText(*layout_, {b.minX(), y});
}

Size Label::textSize(double width) const { return TextMeasurer::measure(text_, font_.size, font_.weight, width, lines_); }

Size Label::intrinsicContentSize() const { return measuredTextSize(0); }

Size Label::measuredTextSize(double horizontalInset) const {
    // A single line never wraps; several lines wrap at the preferred width, else at the
    // width the last layout gave (0 before any layout: unbounded).
    double width = 0;
    if (lines_ != 1) width = preferredMaxWidth_ > 0 ? preferredMaxWidth_ : frame().width();
    measuredAtWidth_ = width;
    if (width <= 0) return textSize(0);
    return textSize(std::max(1.0, width - horizontalInset));
}

void Label::layoutSubviews() {
    View::layoutSubviews();
    bool wrapsAtOwnWidth = lines_ != 1 && preferredMaxWidth_ <= 0;
    if (wrapsAtOwnWidth && measuredAtWidth_ >= 0 && frame().width() != measuredAtWidth_) invalidateIntrinsicContentSize();
}

} // namespace tvkit
