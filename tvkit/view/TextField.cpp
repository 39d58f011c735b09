#include "tvkit/view/TextField.h"

#include "tvkit/render/Painter.h"
#include "tvkit/text/TextLayout.h"
#include "tvkit/text/Utf8.h"

#include <cmath>

namespace tvkit {

namespace {
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
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

void TextField::textDidChange() {
    setNeedsDisplay();
    if (multiline_) invalidateIntrinsicContentSize();
}

bool TextField::insertText(const std::string& typed) {
    if (!isEnabled() || !isFocused()) return Control::insertText(typed);
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '\b' || c == '\x7f') {
            deleteBackward();
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (multiline_) {
                text_ += '\n';
                textDidChange();
                sendActions(ControlEvent::editingChanged);
            } else {
                sendActions(ControlEvent::primaryActionTriggered);
            }
            continue;
        }
        // Everything up to the next control character goes in at once.
        std::size_t end = i;
        while (end < typed.size() && typed[end] != '\b' && typed[end] != '\x7f' && typed[end] != '\r' &&
               typed[end] != '\n') {
            ++end;
        }
        text_ += Utf8::sanitized(std::string_view(typed).substr(i, end - i));
        i = end - 1;
        textDidChange();
        sendActions(ControlEvent::editingChanged);
    }
    return true;
}

void TextField::deleteBackward() {
    if (text_.empty()) return;
    std::size_t cut = text_.size() - 1;
    while (cut > 0 && isContinuationByte(text_[cut])) --cut;
    text_.erase(cut);
    textDidChange();
    sendActions(ControlEvent::editingChanged);
}

Size TextField::intrinsicContentSize() const {
    TextAttributes a;
    a.font = font_;
    const double lineHeight = TextLayout::measure(AttributedString("Ag", a), 0).height;
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
    const AttributedString shown(showPlaceholder ? placeholder_ : text_, a);
    TextLayoutOptions options;
    options.width = multiline_ ? area.width() : 0;
    const TextLayout layout(shown, options);
    const Size size = layout.size();
    painter.save();
    painter.clipRoundedRect(area, 0);
    // A single line keeps its end (where typing happens) in sight and sits in the middle.
    const double x = multiline_ || showPlaceholder ? area.minX() : area.minX() + std::min(0.0, area.width() - size.width - 2);
    const double y = multiline_ ? area.minY() : area.midY() - size.height / 2;
    painter.drawText(layout, {x, y});
    if (isFocused() && isEnabled()) {
        // The caret after the last character.
        const double caretX = showPlaceholder ? area.minX() : x + (multiline_ ? 0 : size.width) + 1;
        const double lineHeight = TextLayout::measure(AttributedString("Ag", a), 0).height;
        const double caretY = multiline_ ? y + std::max(0.0, size.height - lineHeight) : y;
        if (!multiline_ || showPlaceholder) painter.fillRoundedRect({caretX, caretY, 2, lineHeight}, 1, textColor_);
    }
    painter.restore();
}

} // namespace tvkit
