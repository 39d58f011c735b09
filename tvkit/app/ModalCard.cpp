#include "tvkit/app/ModalCard.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Button.h"

namespace tvkit {

std::shared_ptr<View> ModalCard::makeBackdrop() {
    auto dim = View::make();
    dim->setBackgroundColor(Color::black().withAlpha(0.6));
    return dim;
}

std::shared_ptr<StackView> ModalCard::addCard(View& backdrop) {
    auto card = View::make<StackView>();
    card->setAxis(LayoutAxis::vertical);
    card->setSpacing(24);
    card->setAlignment(StackView::Alignment::center);
    card->setLayoutMargins(EdgeInsets::all(40));
    card->setLayoutMarginsRelativeArrangement(true);
    card->setBackgroundColor(Color::gray(0.15));
    card->layer().setCornerRadius(16);
    card->setTranslatesAutoresizingMaskIntoConstraints(false);
    backdrop.addSubview(card);
    LayoutConstraint::activate({
        card->centerXAnchor().equalTo(backdrop.centerXAnchor()),
        card->centerYAnchor().equalTo(backdrop.centerYAnchor()),
        card->widthAnchor().lessOrEqualToMultiple(backdrop.widthAnchor(), 0.5),
    });
    return card;
}

std::shared_ptr<Button> ModalCard::makeButton(const std::string& title) {
    auto button = View::make<Button>();
    button->setTitle(title);
    button->titleLabel()->setFont(Font::system(22, Font::medium));
    button->setBackgroundColor(Color::gray(0.3));
    button->layer().setCornerRadius(8);
    return button;
}

} // namespace tvkit
