#pragma once
// A small modal message: a title, a message and a row of action buttons over a dimmed
// screen. Choosing an action dismisses the alert, then runs the action's handler; Menu
// chooses the cancel action when there is one.
//
//   auto alert = std::make_shared<AlertController>("Privacy", "Your choice was saved.");
//   alert->addAction({"Ok", AlertAction::Style::defaultStyle, nullptr});
//   screen->present(alert, true);

#include "tvkit/app/ViewController.h"

#include <functional>
#include <string>
#include <vector>

namespace tvkit {

class Button;
class Label;

struct AlertAction {
    enum class Style { defaultStyle, cancel, destructive };
    std::string title;
    Style style = Style::defaultStyle;
    std::function<void(const AlertAction&)> handler;
};

class AlertController : public ViewController {
public:
    enum class Style { alert, actionSheet };

    AlertController(std::string title, std::string message, Style style = Style::alert);

    const std::string& message() const { return message_; }
    Style preferredStyle() const { return style_; }
    void addAction(AlertAction action);
    const std::vector<AlertAction>& actions() const { return actions_; }
    // The buttons, in the order of the actions (after the view has loaded).
    const std::vector<std::shared_ptr<Button>>& actionButtons() const { return buttons_; }

    void loadView() override;
    void viewDidLoad() override;
    void pressesEnded(const PressSet& presses) override;

private:
    void choose(std::size_t index);

    std::string message_;
    Style style_;
    std::vector<AlertAction> actions_;
    std::vector<std::shared_ptr<Button>> buttons_;
    bool chosen_ = false;
};

} // namespace tvkit
