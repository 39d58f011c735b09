#include "tvkit/app/ViewController.h"

#include "support/LogCapture.h"
#include "tvkit/app/AlertController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/view/Button.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

class Screen : public ViewController {
public:
    explicit Screen(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void viewDidLoad() override {
        button = View::make<Button>();
        button->setTitle(name_);
        button->setFrame({100, 100, 300, 80});
        view()->addSubview(button);
        log_.push_back(name_ + " didLoad");
    }
    void viewWillAppear(bool) override { log_.push_back(name_ + " willAppear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + " didAppear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + " willDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + " didDisappear"); }
    std::shared_ptr<Button> button;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(PresentationTest, PresentAndDismissRunCompletionsAfterTheTransition) {
    HeadlessHost host;
    std::vector<std::string> log;
    auto home = std::make_shared<Screen>("home", log);
    host.setRootViewController(home);
    EXPECT_EQ(host.focusedView(), home->button.get());

    auto banner = std::make_shared<Screen>("banner", log);
    banner->setModalPresentationStyle(ModalPresentationStyle::fullScreen);
    banner->setModalTransitionStyle(ModalTransitionStyle::crossDissolve);
    log.clear();
    home->present(banner, true, [&] { log.push_back("presented"); });
    EXPECT_EQ(banner->presentingViewController(), home.get());
    EXPECT_EQ(home->presentedViewController(), banner.get());
    host.runPending();
    EXPECT_EQ(host.focusedView(), banner->button.get());  // the new screen takes focus
    EXPECT_DOUBLE_EQ(banner->view()->presentationProperties().alpha, 0);
    host.advance(ViewController::transitionDuration / 2);
    EXPECT_EQ(log, (std::vector<std::string>{"banner didLoad", "banner willAppear"}));
    host.advance(ViewController::transitionDuration);
    EXPECT_EQ(log, (std::vector<std::string>{"banner didLoad", "banner willAppear", "banner didAppear", "presented"}));

    // A second presentation from the same screen is refused with a warning.
    testsupport::LogCapture warnings;
    auto extra = std::make_shared<Screen>("extra", log);
    extra->setTitle("Extra");
    home->present(extra, false);
    EXPECT_TRUE(warnings.contains("[WARN] ViewController: cannot present \"Extra\": already presenting a screen"));

    log.clear();
    int completions = 0;
    banner->dismiss(true, [&] { completions++; });
    host.advance(ViewController::transitionDuration + 0.1);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"banner willDisappear", "banner didDisappear"}));
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_EQ(banner->presentingViewController(), nullptr);
    EXPECT_EQ(banner->view()->superview(), nullptr);
    EXPECT_EQ(host.focusedView(), home->button.get());  // focus comes back
    host.advance(5);
    EXPECT_EQ(completions, 1);
}

TEST(PresentationTest, MenuClosesAPresentedScreenAndAlertsRunTheChosenAction) {
    HeadlessHost host;
    std::vector<std::string> log;
    auto home = std::make_shared<Screen>("home", log);
    host.setRootViewController(home);
    auto sheet = std::make_shared<Screen>("sheet", log);
    home->present(sheet, false);
    host.runPending();
    host.press(PressType::menu);
    host.advance(1);
    EXPECT_EQ(home->presentedViewController(), nullptr);

    std::vector<std::string> chosen;
    auto alert = std::make_shared<AlertController>("Privacy", "Your choice was saved.");
    alert->addAction({"Ok", AlertAction::Style::defaultStyle, [&](const AlertAction& a) { chosen.push_back(a.title); }});
    alert->addAction({"Cancel", AlertAction::Style::cancel, [&](const AlertAction& a) { chosen.push_back(a.title); }});
    home->present(alert, true);
    host.advance(1);
    ASSERT_EQ(alert->actionButtons().size(), 2u);
    EXPECT_EQ(host.focusedView(), alert->actionButtons()[0].get());
    host.press(PressType::rightArrow);
    EXPECT_EQ(host.focusedView(), alert->actionButtons()[1].get());
    host.press(PressType::leftArrow);
    host.press(PressType::select);
    EXPECT_TRUE(chosen.empty());  // the handler runs once the alert is gone
    host.advance(1);
    EXPECT_EQ(chosen, std::vector<std::string>{"Ok"});
    EXPECT_EQ(home->presentedViewController(), nullptr);

    auto second = std::make_shared<AlertController>("Privacy", "Leave?");
    second->addAction({"Stay", AlertAction::Style::defaultStyle, [&](const AlertAction& a) { chosen.push_back(a.title); }});
    second->addAction({"Cancel", AlertAction::Style::cancel, [&](const AlertAction& a) { chosen.push_back(a.title); }});
    home->present(second, false);
    host.runPending();
    host.press(PressType::menu);
    host.advance(1);
    EXPECT_EQ(chosen, (std::vector<std::string>{"Ok", "Cancel"}));
}

} // namespace
} // namespace tvkit
