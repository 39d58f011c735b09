#pragma once
// An editable text that the on-screen keyboard and a physical keyboard type into (TextField, an
// editable TextView). It keeps the editing rules in one place: typed text goes in at the end as
// valid UTF-8, "\b" and DEL delete one whole character (a grapheme cluster), Return ends a
// single-line edit or starts a new line; and it opens the keyboard and reports when editing
// begins, changes and ends. Editors supply the storage and turn the events into their own.
//
//   field->typeText("Zo\u00EB\b");     // "Zo"
//   field->beginEditing();             // the keyboard slides in over the top screen

#include "tvkit/input/KeyboardType.h"

#include <functional>
#include <string>
#include <string_view>

namespace tvkit {

class View;

enum class EditingEvent { began, changed, returnPressed, endedOnExit, ended };

class TextInput {
public:
    virtual ~TextInput() = default;

    virtual const std::string& text() const = 0;
    // Shown above the on-screen keyboard.
    virtual std::string keyboardTitle() const = 0;
    virtual KeyboardType keyboardType() const = 0;
    virtual bool isMultiline() const = 0;

    // Edits as if `typed` had been typed, focused or not; one `changed` per change.
    void typeText(std::string_view typed);
    void deleteBackward();

    // Presents the on-screen keyboard over the top screen and reports `began`; false when it
    // cannot (not editable now, not in a window, already editing).
    bool beginEditing();
    // Called by the keyboard as it closes: Done reports endedOnExit, ended and returnPressed;
    // Menu only ended. The text stays as typed either way.
    void endEditing(bool done);
    bool isEditing() const { return editing_; }

    // One listener for every change of the text (the open keyboard's echo).
    void setTextObserver(std::function<void()> observer) { observer_ = std::move(observer); }

protected:
    // The view the editor is.
    virtual View& inputView() = 0;
    virtual bool canBeginEditing() const = 0;
    // Storage: `text` is valid UTF-8; truncation keeps the bytes before `length`.
    virtual void appendText(std::string_view text) = 0;
    virtual void truncateText(std::size_t length) = 0;
    // Editing state changed: redraw the caret.
    virtual void editingStateDidChange() = 0;
    virtual void editingEvent(EditingEvent event) = 0;

private:
    void didChange();

    bool editing_ = false;
    std::function<void()> observer_;
};

} // namespace tvkit
