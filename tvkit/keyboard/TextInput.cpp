#include "tvkit/keyboard/TextInput.h"

#include "tvkit/app/ViewController.h"
#include "tvkit/app/Window.h"
#include "tvkit/keyboard/OnScreenKeyboard.h"
#include "tvkit/text/Utf8.h"

namespace tvkit {

namespace {

bool isDelete(char c) { return c == '\b' || c == '\x7f'; }
bool isReturn(char c) { return c == '\r' || c == '\n'; }

} // namespace

void TextInput::typeText(std::string_view typed) {
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (isDelete(c)) {
            deleteBackward();
            continue;
        }
        if (isReturn(c)) {
            if (!isMultiline()) {
                editingEvent(EditingEvent::returnPressed);
                continue;
            }
            appendText("\n");
            didChange();
            continue;
        }
        // Everything up to the next control character goes in at once.
        std::size_t end = i;
        while (end < typed.size() && !isDelete(typed[end]) && !isReturn(typed[end])) ++end;
        appendText(Utf8::sanitized(typed.substr(i, end - i)));
        i = end - 1;
        didChange();
    }
}

void TextInput::deleteBackward() {
    if (text().empty()) return;
    truncateText(Utf8::lastCharacterStart(text()));
    didChange();
}

bool TextInput::beginEditing() {
    View& view = inputView();
    Window* window = view.window();
    ViewController* top = window ? window->topViewController() : nullptr;
    if (editing_ || !canBeginEditing() || !top) return false;
    // Shares ownership with the view, so the keyboard can tell when the editor has gone.
    std::shared_ptr<TextInput> self(view.shared_from_this(), this);
    auto keyboard = std::make_shared<OnScreenKeyboard>(self);
    top->present(keyboard, true);
    if (top->presentedViewController() != keyboard.get()) return false;
    editing_ = true;
    editingStateDidChange();
    editingEvent(EditingEvent::began);
    return true;
}

void TextInput::endEditing(bool done) {
    if (!editing_) return;
    editing_ = false;
    editingStateDidChange();
    if (done) editingEvent(EditingEvent::endedOnExit);
    editingEvent(EditingEvent::ended);
    if (done) editingEvent(EditingEvent::returnPressed);
}

void TextInput::didChange() {
    editingEvent(EditingEvent::changed);
    if (observer_) observer_();
}

} // namespace tvkit
