#include "tvkit/view/TextView.h"

#include "tvkit/app/Application.h"
#include "tvkit/render/Painter.h"

#include <cmath>

namespace tvkit {

void TextView::setAttributedText(AttributedString text) {
    text_ = std::move(text);
    textDidChange();
}

void TextView::textDidChange() {
    layout_.reset();
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void TextView::setEditable(bool editable) {
    editable_ = editable;
    setNeedsDisplay();
}

void TextView::appendText(std::string_view text) {
    const TextAttributes* end = text_.empty() ? nullptr : text_.attributesAt(text_.text().size() - 1);
    text_.append(text, end ? *end : typingAttributes_);
    textDidChange();
}

void TextView::truncateText(std::size_t length) {
    if (length >= text_.text().size()) return;
    text_.erase(length, text_.text().size() - length);
    textDidChange();
}

void TextView::editingEvent(EditingEvent event) {
    if (editingHandler_) editingHandler_(*this, event);
}

bool TextView::insertText(const std::string& typed) {
    if (!editable_ || !isFocused()) return View::insertText(typed);
    typeText(typed);
    return true;
}

void TextView::pressesEnded(const PressSet& presses) {
    if (!presses.empty() && presses.front().type == PressType::select && beginEditing()) return;
    View::pressesEnded(presses);
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
    if (!layout_) {
        layout_ = std::make_unique<TextLayout>(text_, width);
    } else if (laidOutWidth_ != width) {
        // The text is the same: only its lines are broken anew.
        layout_ = std::make_unique<TextLayout>(std::move(*layout_), TextLayoutOptions::wrappingAt(width));
    }
    laidOutWidth_ = width;
    return *layout_;
}

Size TextView::sizeThatFits(double width) const {
    const Size text = TextLayout::measure(text_, std::max(0.0, width - inset_.horizontal()));
    return {std::ceil(text.width + inset_.horizontal()), std::ceil(text.height + inset_.vertical())};
}

Size TextView::intrinsicContentSize() const {
    // The height depends on the width layout gives; until there is one, the unwrapped text,
    // whose measurement the layout at that width reuses.
    const Size text = textLayout().size();
    if (bounds().width() <= 0) return {std::ceil(text.width + inset_.horizontal()), std::ceil(text.height + inset_.vertical())};
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
    const bool caret = editable_ && (isFocused() || isEditing());
    if (text_.empty() && !caret) return;
    const TextLayout& layout = textLayout();
    painter.drawText(layout, {inset_.left, inset_.top});
    if (!caret) return;
    Rect at = layout.caretRect(text_.text().size());
    const TextAttributes* end = text_.empty() ? nullptr : text_.attributesAt(text_.text().size() - 1);
    const TextAttributes& style = end ? *end : typingAttributes_;
    if (at.height() <= 0) at = {0, 0, 0, TextLayout::measure(AttributedString("Ag", style), 0).height};
    painter.fillRoundedRect({inset_.left + at.minX(), inset_.top + at.minY(), 2, at.height()}, 1, style.color);
}

} // namespace tvkit
