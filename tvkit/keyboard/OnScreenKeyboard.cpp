#include "tvkit/keyboard/OnScreenKeyboard.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/TextField.h"

#include <algorithm>

namespace tvkit {

namespace {

bool isReturn(char c) { return c == '\r' || c == '\n'; }

} // namespace

OnScreenKeyboard::OnScreenKeyboard(std::shared_ptr<TextInput> target)
    : target_(target), grid_(View::make<KeyGridView>(KeyboardLayout::forType(target ? target->keyboardType()
                                                                                     : KeyboardType::standard))),
      title_(View::make<Label>()), echo_(View::make<TextField>()) {
    if (target) setTitle(target->keyboardTitle());
}

OnScreenKeyboard::~OnScreenKeyboard() { stopObserving(); }

KeyGridView& OnScreenKeyboard::keyGrid() {
    view();
    return *grid_;
}

const Label& OnScreenKeyboard::titleLabel() {
    view();
    return *title_;
}

const TextField& OnScreenKeyboard::echo() {
    view();
    return *echo_;
}

void OnScreenKeyboard::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(Color::fromRGBA8(0x1C, 0x1C, 0x1E));

    title_->setText(title());
    title_->setFont(Font::system(30, Font::medium));
    title_->setTextColor(Color::gray(0.85));
    echo_->setFont(Font::system(36));
    echo_->setTextInsets({10, 20, 10, 20});
    echo_->setBackgroundColor(Color::white());
    echo_->layer().setCornerRadius(12);
    echo_->setCaretAlwaysVisible(true);
    echo_->setUserInteractionEnabled(false);  // an echo of the field, never focused itself
    grid_->setKeyHandler([this](const KeyboardKey& key) { keySelected(key); });

    const Size gridSize = grid_->intrinsicContentSize();
    LayoutGuide& safe = root.safeAreaLayoutGuide();
    for (const auto& part : {std::static_pointer_cast<View>(title_), std::static_pointer_cast<View>(echo_),
                             std::static_pointer_cast<View>(grid_)}) {
        part->setTranslatesAutoresizingMaskIntoConstraints(false);
        root.addSubview(part);
    }
    LayoutConstraint::activate({
        title_->topAnchor().equalTo(safe.topAnchor(), 40),
        title_->centerXAnchor().equalTo(root.centerXAnchor()),
        echo_->topAnchor().equalTo(title_->bottomAnchor(), 20),
        echo_->centerXAnchor().equalTo(root.centerXAnchor()),
        echo_->widthAnchor().equalToConstant(std::max(gridSize.width, 900.0)),
        echo_->heightAnchor().equalToConstant(76),
        grid_->topAnchor().equalTo(echo_->bottomAnchor(), 64),
        grid_->centerXAnchor().equalTo(root.centerXAnchor()),
        grid_->widthAnchor().equalToConstant(gridSize.width),
        grid_->heightAnchor().equalToConstant(gridSize.height),
    });

    if (auto target = target_.lock()) {
        // Whoever changes the text while the keyboard is up, the echo follows.
        std::weak_ptr<ViewController> weakSelf = weak_from_this();
        target->setTextObserver([weakSelf] {
            if (auto self = weakSelf.lock()) static_cast<OnScreenKeyboard&>(*self).refreshEcho();
        });
        observing_ = true;
    }
    refreshEcho();
}

void OnScreenKeyboard::viewDidDisappear(bool animated) {
    ViewController::viewDidDisappear(animated);
    // Taken off screen by someone else (its presenter went away): the edit still ends.
    stopObserving();
    if (auto target = target_.lock()) target->endEditing(false);
}

std::vector<FocusEnvironment*> OnScreenKeyboard::preferredFocusEnvironments() const {
    if (grid_->keyButtons().empty()) return ViewController::preferredFocusEnvironments();
    return {grid_->keyButtons().front().get()};
}

void OnScreenKeyboard::pressesEnded(const PressSet& presses) {
    if (!presses.empty() && presses.front().type == PressType::menu) {
        close(false);
        return;
    }
    ViewController::pressesEnded(presses);
}

bool OnScreenKeyboard::insertText(const std::string& text) {
    auto target = target_.lock();
    if (!target) return false;
    // Return on a physical keyboard is Done for a single line; what follows it goes to the
    // field, which is focused again by then.
    auto ret = target->isMultiline() ? text.end() : std::find_if(text.begin(), text.end(), isReturn);
    target->typeText(std::string_view(text.begin(), ret));
    if (ret == text.end()) return true;
    close(true);
    target->typeText(std::string_view(ret + 1, text.end()));
    return true;
}

void OnScreenKeyboard::keySelected(const KeyboardKey& key) {
    // Keys stay focused while the keyboard slides away; they no longer type.
    if (closing_) return;
    auto target = target_.lock();
    if (!target) {
        close(false);
        return;
    }
    switch (key.role) {
    case KeyRole::character:
    case KeyRole::space:
        target->typeText(key.typed(grid_->isShifted()));
        // Shift is for one letter, as on a phone.
        grid_->setShifted(false);
        return;
    case KeyRole::deleteBackward: target->deleteBackward(); return;
    case KeyRole::shift: grid_->setShifted(!grid_->isShifted()); return;
    case KeyRole::nextPage: grid_->setPage((grid_->page() + 1) % grid_->layout().pages().size()); return;
    case KeyRole::done: close(true); return;
    }
}

void OnScreenKeyboard::close(bool done) {
    if (closing_) return;
    closing_ = true;
    stopObserving();
    if (auto target = target_.lock()) target->endEditing(done);
    dismiss(true);
}

void OnScreenKeyboard::stopObserving() {
    if (!observing_) return;
    observing_ = false;
    if (auto target = target_.lock()) target->setTextObserver({});
}

void OnScreenKeyboard::refreshEcho() {
    auto target = target_.lock();
    std::string text = target ? target->text() : std::string();
    // The echo is one line; line breaks of a multi-line field show as spaces.
    std::replace(text.begin(), text.end(), '\n', ' ');
    echo_->setText(std::move(text));
}

} // namespace tvkit
