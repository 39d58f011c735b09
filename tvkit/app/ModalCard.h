#pragma once
// The look the toolkit's own modal screens share (the alert and the link sheet): a dimmed
// backdrop over whatever is behind, a rounded card centred on it, at most half the screen wide,
// stacking its content vertically, and plain grey buttons.
//
//   void MySheet::loadView() { setView(ModalCard::makeBackdrop()); }
//   void MySheet::viewDidLoad() {
//       auto card = ModalCard::addCard(*view());
//       card->addArrangedSubview(ModalCard::makeButton("Close"));
//   }

#include <memory>
#include <string>

namespace tvkit {

class Button;
class StackView;
class View;

class ModalCard {
public:
    static std::shared_ptr<View> makeBackdrop();
    // Adds the card to `backdrop`, centred on it.
    static std::shared_ptr<StackView> addCard(View& backdrop);
    static std::shared_ptr<Button> makeButton(const std::string& title);

    ModalCard() = delete;
};

} // namespace tvkit
