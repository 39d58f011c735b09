#pragma once
// An editable text box: single-line (the text scrolls to keep its end in sight) or multi-line
// (wraps, grows downwards). Select on the remote opens the on-screen keyboard chosen by the
// keyboard type, titled with the field's label; text typed on a physical keyboard goes in
// directly while the field is focused. Backspace ("\b" or DEL) deletes the last character
// (a whole grapheme cluster); Return ends a single-line edit with primaryActionTriggered and
// starts a new line in a multi-line one.
//
//   auto email = View::make<TextField>();
//   email->setLabel("E-mail");
//   email->setKeyboardType(KeyboardType::emailAddress);
//   email->addAction([](Control& c) { validate(c); }, ControlEvent::editingChanged);
//   email->addAction([](Control& c) { save(c); }, ControlEvent::editingDidEnd);

#include "tvkit/graphics/EdgeInsets.h"
#include "tvkit/input/ReturnKeyType.h"
#include "tvkit/keyboard/TextInput.h"
#include "tvkit/text/Font.h"
#include "tvkit/view/Control.h"

#include <string>

namespace tvkit {

class TextField : public Control, public TextInput {
public:
    explicit TextField(bool multiline = false) : multiline_(multiline) {}
    std::string_view className() const override { return "TextField"; }

    const std::string& text() const override { return text_; }
    // Replaces the text without editing events (invalid UTF-8 bytes become '?').
    void setText(std::string text);
    // What the field asks for (see keyboardTitle) and what it holds, unless set otherwise.
    std::string accessibilityLabel() const override;
    std::string accessibilityValue() const override;
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(std::string placeholder);
    // What the field asks for, shown above the on-screen keyboard; the placeholder stands in
    // when it is empty.
    const std::string& label() const { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }
    const Font& font() const { return font_; }
    void setFont(Font font);
    Color textColor() const { return textColor_; }
    void setTextColor(Color color);
    Color placeholderColor() const { return placeholderColor_; }
    void setPlaceholderColor(Color color);
    EdgeInsets textInsets() const { return insets_; }
    void setTextInsets(const EdgeInsets& insets);
    bool isMultiline() const override { return multiline_; }
    // Shows the caret even when the field is not focused (a keyboard's echo of the text).
    void setCaretAlwaysVisible(bool visible);

    std::string keyboardTitle() const override { return label_.empty() ? placeholder_ : label_; }
    KeyboardType keyboardType() const override { return keyboard_; }
    void setKeyboardType(KeyboardType type) { keyboard_ = type; }
    ReturnKeyType returnKeyType() const { return returnKey_; }
    void setReturnKeyType(ReturnKeyType type) { returnKey_ = type; }

    // Editing (see TextInput) reports editingDidBegin, editingChanged, editingDidEndOnExit,
    // editingDidEnd and primaryActionTriggered (Return, Done) to the field's actions.

    bool insertText(const std::string& text) override;
    bool acceptsTypedText() const override { return isEnabled(); }
    void pressesEnded(const PressSet& presses) override;

    Size intrinsicContentSize() const override;
    void draw(Painter& painter) const override;

protected:
    View& inputView() override { return *this; }
    bool canBeginEditing() const override { return isEnabled(); }
    void appendText(std::string_view text) override;
    void truncateText(std::size_t length) override;
    void editingStateDidChange() override { setNeedsDisplay(); }
    void editingEvent(EditingEvent event) override;

private:
    void textDidChange();

    bool multiline_;
    bool caretAlwaysVisible_ = false;
    std::string text_;
    std::string placeholder_;
    std::string label_;
    Font font_ = Font::system(16);
    Color textColor_ = Color::black();
    Color placeholderColor_ = Color::gray(0.55);
    EdgeInsets insets_{6, 8, 6, 8};
    KeyboardType keyboard_ = KeyboardType::standard;
    ReturnKeyType returnKey_ = ReturnKeyType::none;
};

} // namespace tvkit
