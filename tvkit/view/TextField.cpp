#include "tvkit/view/TextField.h"

#include "tvkit/render/Painter.h"
#include "tvkit/text/TextLayout.h"
#include "tvkit/text/Utf8.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tvkit {

std::string TextField::accessibilityLabel() const {
    std::string set = View::accessibilityLabel();
    return set.empty() ? keyboardTitle() : set;
}

std::string TextField::accessibilityValue() const {
    std::string set = View::accessibilityValue();
    return set.empty() ? text_ : set;
}

namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

double lineHeightOf(const TextAttributes& attributes) {
    return TextLayout::measure(AttributedString("Ag", attributes), 0).height;
}

} // namespace

void TextField::setText(std::string text) {
    text_ = Utf8::sanitized(text);
    if (!multiline_) std::erase(text_, '\n');
    textDidChange();
}

void TextField::setPlaceholder(std::string placeholder) {
    placeholder_ = std::move(placeholder);
    setNeedsDisplay();
}

void TextField::setFont(Font font) {
    font_ = std::move(font);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void TextField::setTextColor(Color color) {
    textColor_ = color;
    setNeedsDisplay();
}

void TextField::setPlaceholderColor(Color color) {
    placeholderColor_ = color;
    setNeedsDisplay();
}

void TextField::setTextInsets(const EdgeInsets& insets) {
    insets_ = insets;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void TextField::setCaretAlwaysVisible(bool visible) {
    caretAlwaysVisible_ = visible;
    setNeedsDisplay();
}

void TextField::textDidChange() {
    setNeedsDisplay();
    if (multiline_) invalidateIntrinsicContentSize();
}

void TextField::appendText(std::string_view text) {
    text_ += text;
    textDidChange();
}

void TextField::truncateText(std::size_t length) {
    text_.resize(std::min(length, text_.size()));
    textDidChange();
}

void TextField::editingEvent(EditingEvent event) {
    switch (event) {
    case EditingEvent::began: sendActions(ControlEvent::editingDidBegin); return;
    case EditingEvent::changed: sendActions(ControlEvent::editingChanged); return;
    case EditingEvent::returnPressed: sendActions(ControlEvent::primaryActionTriggered); return;
    case EditingEvent::endedOnExit: sendActions(ControlEvent::editingDidEndOnExit); return;
    case EditingEvent::ended: sendActions(ControlEvent::editingDidEnd); return;
    }
}

bool TextField::insertText(const std::string& typed) {
    if (!isEnabled() || !isFocused()) return Control::insertText(typed);
    typeText(typed);
    return true;
}

void TextField::pressesEnded(const PressSet& presses) {
    if (!presses.empty() && presses.front().type == PressType::select && beginEditing()) return;
    Control::pressesEnded(presses);
}

Size TextField::intrinsicContentSize() const {
    TextAttributes a;
    a.font = font_;
    const double lineHeight = lineHeightOf(a);
    if (!multiline_) return {noIntrinsicMetric, std::ceil(lineHeight + insets_.vertical())};
    const double width = bounds().width() > 0 ? bounds().width() - insets_.horizontal() : 0;
    const double height = std::max(lineHeight, TextLayout::measure(AttributedString(text_, a), width).height);
    return {noIntrinsicMetric, std::ceil(height + insets_.vertical())};
}

void TextField::draw(Painter& painter) const {
    const Rect area = bounds().inset(insets_);
    if (area.isEmpty()) return;
    TextAttributes a;
    a.font = font_;
    const bool showPlaceholder = text_.empty();
    a.color = showPlaceholder ? placeholderColor_ : textColor_;
    const std::string_view shown = showPlaceholder ? std::string_view(placeholder_) : std::string_view(text_);
    // A single line shows its end, where typing happens, so only the end of a long text is laid
    // out: a tail well wider than the field, grown until it is.
    std::optional<TextLayout> layout;
    std::size_t from = 0;
    for (std::size_t tail = 256;; tail *= 4) {
        from = multiline_ || showPlaceholder || shown.size() <= tail ? 0 : shown.size() - tail;
        while (from > 0 && isContinuationByte(shown[from])) ++from;
        TextLayoutOptions options;
        options.width = multiline_ ? area.width() : 0;
        layout.emplace(AttributedString(std::string(shown.substr(from)), a), options);
        if (from == 0 || layout->size().width > 2 * area.width()) break;
    }
    Rect caret = layout->caretRect(showPlaceholder ? 0 : shown.size() - from);
    if (caret.height() <= 0) caret = {0, 0, 0, lineHeightOf(a)};
    Point origin = area.origin;
    if (!multiline_) {
        origin.x -= std::max(0.0, caret.minX() - (area.width() - 2));
        origin.y = area.midY() - std::max(layout->size().height, caret.height()) / 2;
    }
    painter.save();
    painter.clipRoundedRect(area, 0);
    painter.drawText(*layout, origin);
    if (isEnabled() && (isFocused() || isEditing() || caretAlwaysVisible_)) {
        painter.fillRoundedRect({origin.x + caret.minX(), origin.y + caret.minY(), 2, caret.height()}, 1, textColor_);
    }
    painter.restore();
}

} // namespace tvkit
