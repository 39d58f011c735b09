#pragma once
// An editable text box fed by the host with typed text while it is focused: single-line (the
// text scrolls to keep its end visible) or multi-line (wraps, grows downwards). The keyboard
// and return-key kinds are plain data the host reads to pick an on-screen keyboard. Backspace
// ("\b" or DEL) deletes the last character; Return ends a single-line edit with
// primaryActionTriggered and starts a new line in a multi-line one.
//
//   auto email = View::make<TextField>();
//   email->setPlaceholder("E-mail");
//   email->setKeyboardType(KeyboardType::emailAddress);
//   email->addAction([](Control& c) { validate(c); }, ControlEvent::editingChanged);

#include "tvkit/graphics/EdgeInsets.h"
#include "tvkit/input/KeyboardType.h"
#include "tvkit/input/ReturnKeyType.h"
#include "tvkit/text/Font.h"
#include "tvkit/view/Control.h"

#include <string>

namespace tvkit {

class TextField : public Control {
public:
    explicit TextField(bool multiline = false) : multiline_(multiline) {}
    std::string_view className() const override { return "TextField"; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(std::string placeholder);
    const Font& font() const { return font_; }
    void setFont(Font font);
    Color textColor() const { return textColor_; }
    void setTextColor(Color color);
    Color placeholderColor() const { return placeholderColor_; }
    void setPlaceholderColor(Color color);
    EdgeInsets textInsets() const { return insets_; }
    void setTextInsets(const EdgeInsets& insets);
    bool isMultiline() const { return multiline_; }

    KeyboardType keyboardType() const { return keyboard_; }
    void setKeyboardType(KeyboardType type) { keyboard_ = type; }
    ReturnKeyType returnKeyType() const { return returnKey_; }
    void setReturnKeyType(ReturnKeyType type) { returnKey_ = type; }

    bool insertText(const std::string& text) override;
    void deleteBackward();

    Size intrinsicContentSize() const override;
    void draw(Painter& painter) const override;

private:
    void textDidChange();

    bool multiline_;
    std::string text_;
    std::string placeholder_;
    Font font_ = Font::system(16);
    Color textColor_ = Color::black();
    Color placeholderColor_ = Color::gray(0.55);
    EdgeInsets insets_{6, 8, 6, 8};
    KeyboardType keyboard_ = KeyboardType::standard;
    ReturnKeyType returnKey_ = ReturnKeyType::none;
};

} // namespace tvkit
