#include "tvkit/app/AlertController.h"

#include "tvkit/app/ModalCard.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/Label.h"

namespace tvkit {

AlertController::AlertController(std::string title, std::string message, Style style)
    : message_(std::move(message)), style_(style) {
    setTitle(std::move(title));
    setModalPresentationStyle(ModalPresentationStyle::overFullScreen);
    setModalTransitionStyle(ModalTransitionStyle::crossDissolve);
}

void AlertController::addAction(AlertAction action) { actions_.push_back(std::move(action)); }

void AlertController::loadView() { setView(ModalCard::makeBackdrop()); }

void AlertController::viewDidLoad() {
    auto card = ModalCard::addCard(*view());
    auto heading = View::make<Label>(title());
    heading->setFont(Font::system(28, Font::bold));
    heading->setTextColor(Color::white());
    auto body = View::make<Label>(message_);
    body->setFont(Font::system(20));
    body->setTextColor(Color::gray(0.85));
    body->setNumberOfLines(0);
    body->setTextAlignment(TextAlignment::center);
    card->addArrangedSubview(heading);
    card->addArrangedSubview(body);

    auto row = View::make<StackView>();
    row->setAxis(style_ == Style::alert ? LayoutAxis::horizontal : LayoutAxis::vertical);
    row->setSpacing(24);
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        auto button = ModalCard::makeButton(actions_[i].title);
        button->addAction([this, i](Control&) { choose(i); }, ControlEvent::primaryActionTriggered);
        buttons_.push_back(button);
        row->addArrangedSubview(button);
    }
    card->addArrangedSubview(row);
}

void AlertController::choose(std::size_t index) {
    if (chosen_ || index >= actions_.size()) return;
    chosen_ = true;
    AlertAction action = actions_[index];
    dismiss(true, [action] {
        if (action.handler) action.handler(action);
    });
}

void AlertController::pressesEnded(const PressSet& presses) {
    if (!presses.empty() && presses.front().type == PressType::menu) {
        for (std::size_t i = 0; i < actions_.size(); ++i) {
            if (actions_[i].style == AlertAction::Style::cancel) {
                choose(i);
                return;
            }
        }
    }
    ViewController::pressesEnded(presses);
}

} // namespace tvkit
