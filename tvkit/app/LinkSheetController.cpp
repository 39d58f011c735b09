#include "tvkit/app/LinkSheetController.h"

#include "tvkit/app/ModalCard.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/QrCodeView.h"

namespace tvkit {

namespace {
constexpr double codeSide = 360;
}

LinkSheetController::LinkSheetController(std::string url, std::string closeTitle)
    : url_(std::move(url)), closeTitle_(std::move(closeTitle)) {
    // Spoken when the sheet comes up, so a viewer who cannot see the code hears where it leads.
    setTitle(url_);
    setModalPresentationStyle(ModalPresentationStyle::overFullScreen);
    setModalTransitionStyle(ModalTransitionStyle::crossDissolve);
}

void LinkSheetController::loadView() { setView(ModalCard::makeBackdrop()); }

void LinkSheetController::viewDidLoad() {
    auto card = ModalCard::addCard(*view());
    code_ = View::make<QrCodeView>(url_);
    address_ = View::make<Label>(url_);
    address_->setFont(Font::system(22));
    address_->setTextColor(Color::gray(0.9));
    address_->setNumberOfLines(0);
    address_->setTextAlignment(TextAlignment::center);
    close_ = ModalCard::makeButton(closeTitle_);
    close_->addAction([this](Control&) { dismiss(true); }, ControlEvent::primaryActionTriggered);
    card->addArrangedSubview(code_);
    card->addArrangedSubview(address_);
    card->addArrangedSubview(close_);
    LayoutConstraint::activate({
        code_->widthAnchor().equalToConstant(codeSide),
        code_->heightAnchor().equalToConstant(codeSide),
    });
}

std::vector<FocusEnvironment*> LinkSheetController::preferredFocusEnvironments() const {
    if (close_) return {close_.get()};
    return ViewController::preferredFocusEnvironments();
}

} // namespace tvkit
