#pragma once
// The demo app's own screen: a streaming-style home with a title bar, rows of programme tiles,
// a "Privacy settings" button, a status line and a help line listing the demo keys. It knows
// nothing of consent; DemoApp tells it what to show and what the button does.
//
//   auto home = std::make_shared<demo::HomeScreen>();
//   home->setPrivacySettingsAction([&] { app.openPrivacySettings(); });
//   home->setStatus("Consent: Collected");

#include "tvkit/app/ViewController.h"
#include "tvkit/input/KeyCommand.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/Label.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace demo {

class HomeScreen : public tvkit::ViewController {
public:
    void viewDidLoad() override;

    void setPrivacySettingsAction(std::function<void()> action) { privacyAction_ = std::move(action); }
    // The demo keys, offered while the home screen is on top and listed in the help line.
    void setDemoKeys(std::vector<tvkit::KeyCommand> keys);
    void setStatus(const std::string& text);
    std::string status() const { return status_ ? status_->text() : std::string(); }

    std::vector<tvkit::KeyCommand> keyCommands() const override { return keys_; }
    std::vector<tvkit::FocusEnvironment*> preferredFocusEnvironments() const override;

private:
    std::string helpText() const;

    std::function<void()> privacyAction_;
    std::vector<tvkit::KeyCommand> keys_;
    std::shared_ptr<tvkit::Button> privacyButton_;
    std::shared_ptr<tvkit::View> firstTile_;
    std::shared_ptr<tvkit::Label> status_;
    std::shared_ptr<tvkit::Label> help_;
};

} // namespace demo
