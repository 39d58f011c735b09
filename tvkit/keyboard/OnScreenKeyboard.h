#pragma once
// The full-screen keyboard a TV shows for typing with the remote: the field's label and its
// text at the top, a grid of keys below, moved over with the arrows and typed with Select.
// Its layout follows the field's keyboard type. Menu closes it keeping the text; Done closes
// it and ends the edit (see TextInput::endEditing). Text from a physical keyboard goes to the
// field while it is open. Editors present it from TextInput::beginEditing (TextField does on
// Select); it is rarely made directly.
//
//   auto keyboard = std::make_shared<OnScreenKeyboard>(field);
//   screen->present(keyboard, true);

#include "tvkit/app/ViewController.h"
#include "tvkit/keyboard/KeyGridView.h"
#include "tvkit/keyboard/TextInput.h"

#include <memory>

namespace tvkit {

class Label;
class TextField;

class OnScreenKeyboard : public ViewController {
public:
    explicit OnScreenKeyboard(std::shared_ptr<TextInput> target);
    ~OnScreenKeyboard() override;

    // The parts on screen (the view is loaded on first use).
    KeyGridView& keyGrid();
    const Label& titleLabel();
    const TextField& echo();

    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;
    std::vector<FocusEnvironment*> preferredFocusEnvironments() const override;
    void pressesEnded(const PressSet& presses) override;
    bool insertText(const std::string& text) override;
    bool acceptsTypedText() const override { return !target_.expired(); }

private:
    void keySelected(const KeyboardKey& key);
    void close(bool done);
    void stopObserving();
    void refreshEcho();

    std::weak_ptr<TextInput> target_;
    std::shared_ptr<KeyGridView> grid_;
    std::shared_ptr<Label> title_;
    std::shared_ptr<TextField> echo_;
    bool observing_ = false;
    bool closing_ = false;
};

} // namespace tvkit
