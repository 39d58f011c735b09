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
#include "tvkit/input/KeyboardType.h"
#include "tvkit/input/ReturnKeyType.h"
#include "tvkit/text/Font.h"
#include "tvkit/view/Control.h"

#include <string>
#include <string_view>

namespace tvkit {

class TextField : public Control {
public:
    explicit TextField(bool multiline = false) : multiline_(multiline) {}
    std::string_view className() const override { return "TextField"; }

    const std::string& text() const { return text_; }
    // Replaces the text without editing events (invalid UTF-8 bytes become '?').
    void setText(std::string text);
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
    bool isMultiline() const { return multiline_; }
    // Shows the caret even when the field is not focused (a keyboard's echo of the text).
    void setCaretAlwaysVisible(bool visible);

    KeyboardType keyboardType() const { return keyboard_; }
    void setKeyboardType(KeyboardType type) { keyboard_ = type; }
    ReturnKeyType returnKeyType() const { return returnKey_; }
    void setReturnKeyType(ReturnKeyType type) { returnKey_ = type; }

    // Editing through the on-screen keyboard: beginEditing presents it over the top screen and
    // sends editingDidBegin (false when it cannot: disabled, not in a window, already editing).
    // The keyboard calls endEditing when it closes: Done sends editingDidEndOnExit,
    // editingDidEnd and primaryActionTriggered; closing with Menu sends only editingDidEnd.
    // The text stays as typed either way.
    bool beginEditing();
    void endEditing(bool done);
    bool isEditing() const { return editing_; }

    // Edits as if `typed` had been typed, focused or not: text goes in at the end, "\b" and
    // DEL delete backwards, Return acts as described above. Sends editingChanged per change.
    void typeText(std::string_view typed);
    void deleteBackward();

    bool insertText(const std::string& text) override;
    bool acceptsTypedText() const override { return isEnabled(); }
    void pressesEnded(const PressSet& presses) override;

    Size intrinsicContentSize() const override;
    void draw(Painter& painter) const override;

private:
    void textDidChange();

    bool multiline_;
    bool editing_ = false;
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
