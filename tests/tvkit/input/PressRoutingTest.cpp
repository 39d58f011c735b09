#include "tvkit/app/Application.h"

#include "support/LogCapture.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/input/SwipeGestureRecognizer.h"
#include "tvkit/input/TapGestureRecognizer.h"
#include "tvkit/view/Button.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

// Records presses; handles only the types it is told to.
class Recorder : public View {
public:
    Recorder(std::string name, std::vector<std::string>& log, std::vector<PressType> handles = {}, bool focusable = false)
        : View(Rect{100, 100, 200, 100}), name_(std::move(name)), log_(log), handles_(std::move(handles)),
          focusable_(focusable) {}
    bool canBecomeFocused() const override { return focusable_; }
    void pressesEnded(const PressSet& presses) override {
        PressType t = presses.front().type;
        bool mine = std::find(handles_.begin(), handles_.end(), t) != handles_.end();
        log_.push_back(name_ + (mine ? " handled " : " passed ") + std::to_string(static_cast<int>(t)));
        if (!mine) View::pressesEnded(presses);
    }
    bool insertText(const std::string& text) override {
        log_.push_back(name_ + " typed " + text);
        return true;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
    std::vector<PressType> handles_;
    bool focusable_;
};

class Screen : public ViewController {
public:
    std::vector<KeyCommand> keyCommands() const override {
        return {KeyCommand{KeyCommand::inputEscape, [this] { escapes++; }, "Close"}};
    }
    mutable int escapes = 0;
};

TEST(PressRoutingTest, PressesTravelUpTheResponderChainUntilHandled) {
    HeadlessHost host;
    std::vector<std::string> log;
    auto screen = std::make_shared<Screen>();
    auto outer = View::make<Recorder>("outer", log, std::vector<PressType>{PressType::select});
    auto inner = View::make<Recorder>("inner", log, std::vector<PressType>{PressType::playPause}, true);
    outer->addSubview(inner);
    screen->view()->addSubview(outer);
    host.setRootViewController(screen);
    ASSERT_EQ(host.focusedView(), inner.get());

    host.press(PressType::playPause);
    host.press(PressType::select);
    host.press(PressType::menu);  // nobody takes it; nothing is presented, so nothing happens
    EXPECT_EQ(log, (std::vector<std::string>{"inner handled 6", "inner passed 4", "outer handled 4", "inner passed 5",
                                             "outer passed 5"}));

    // Key commands run only after the chain declined the key; the view controller offers Escape.
    log.clear();
    host.pressKey(KeyCommand::inputEscape);
    EXPECT_EQ(screen->escapes, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"inner passed 100", "outer passed 100"}));
    host.pressKey("q");
    EXPECT_EQ(screen->escapes, 1);

    EXPECT_TRUE(host.type("abc"));
    EXPECT_EQ(log.back(), "inner typed abc");
}

TEST(PressRoutingTest, RecognisersOnTheFocusedChainClaimTheirPressesAndSwipes) {
    HeadlessHost host;
    std::vector<std::string> log;
    auto screen = std::make_shared<Screen>();
    auto card = View::make<Recorder>("card", log, std::vector<PressType>{}, true);
    auto other = View::make<Recorder>("other", log, std::vector<PressType>{}, true);
    other->setFrame({400, 100, 200, 100});
    screen->view()->addSubview(card);
    screen->view()->addSubview(other);
    int menus = 0, lefts = 0, selects = 0;
    auto menu = std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { menus++; });
    menu->setAllowedPressTypes({PressType::menu});
    screen->view()->addGestureRecognizer(menu);
    auto left = std::make_shared<SwipeGestureRecognizer>([&](GestureRecognizer&) { lefts++; });
    left->setDirection(SwipeDirection::left);
    card->addGestureRecognizer(left);
    auto tap = std::make_shared<TapGestureRecognizer>([&](GestureRecognizer&) { selects++; });
    other->addGestureRecognizer(tap);  // not on the focused chain: never sees anything
    host.setRootViewController(screen);
    ASSERT_EQ(host.focusedView(), card.get());

    host.press(PressType::menu);
    EXPECT_EQ(menus, 1);
    EXPECT_TRUE(log.empty());  // claimed presses never reach the views
    host.swipe(SwipeDirection::left);
    EXPECT_EQ(lefts, 1);
    EXPECT_EQ(host.focusedView(), card.get());
    host.press(PressType::select);
    EXPECT_EQ(selects, 0);
    // A swipe nobody claims moves focus.
    host.swipe(SwipeDirection::right);
    EXPECT_EQ(host.focusedView(), other.get());
    host.press(PressType::select);
    EXPECT_EQ(selects, 1);
    menu->setEnabled(false);
    host.press(PressType::menu);
    EXPECT_EQ(menus, 1);
}

TEST(PressRoutingTest, ControlsThatOptInTakeSelectAsTheirPrimaryAction) {
    HeadlessHost host;
    std::vector<std::string> log;
    auto screen = std::make_shared<ViewController>();
    auto outer = View::make<Recorder>("outer", log, std::vector<PressType>{PressType::select});
    auto control = View::make<Control>(Rect{0, 0, 200, 80});
    int fired = 0;
    control->addAction([&](Control&) { fired++; }, ControlEvent::primaryActionTriggered);
    outer->addSubview(control);
    screen->view()->addSubview(outer);
    host.setRootViewController(screen);
    ASSERT_EQ(host.focusedView(), control.get());

    // A plain control passes Select on; one that opts in takes it; disabled, it passes it on again.
    EXPECT_FALSE(control->selectTriggersPrimaryAction());
    host.press(PressType::select);
    control->setSelectTriggersPrimaryAction(true);
    host.press(PressType::select);
    host.press(PressType::menu);
    control->setEnabled(false);
    host.press(PressType::select);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"outer handled 4", "outer passed 5", "outer handled 4"}));
    EXPECT_TRUE(View::make<Button>()->selectTriggersPrimaryAction());
}

TEST(PressRoutingTest, ButtonsSendPrimaryActionsAndApplicationOpensUrls) {
    HeadlessHost host;
    auto screen = std::make_shared<ViewController>();
    auto button = View::make<Button>();
    button->setTitle("Accept");
    button->setTitle("Accept now", focused);
    button->setFrame({0, 0, 300, 80});
    screen->view()->addSubview(button);
    int fired = 0;
    auto id = button->addAction([&](Control&) { fired++; }, ControlEvent::primaryActionTriggered);
    host.setRootViewController(screen);
    EXPECT_EQ(button->titleLabel()->text(), "Accept now");  // focused title
    host.press(PressType::select);
    button->sendActions(ControlEvent::primaryActionTriggered);
    button->sendActions(ControlEvent::valueChanged);
    EXPECT_EQ(fired, 2);
    button->removeAction(id);
    host.press(PressType::select);
    EXPECT_EQ(fired, 2);
    button->setEnabled(false);
    EXPECT_FALSE(button->canBecomeFocused());

    testsupport::LogCapture log;
    auto& app = Application::shared();
    app.setOpenURLHandler({});
    EXPECT_FALSE(app.openURL("https://example.invalid/privacy"));
    EXPECT_TRUE(log.contains("[WARN] Application: no handler to open https://example.invalid/privacy"));
    std::vector<std::string> opened;
    app.setOpenURLHandler([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    EXPECT_TRUE(app.openURL("https://example.invalid/privacy"));
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.invalid/privacy"}));
    app.setOpenURLHandler({});
}

} // namespace
} // namespace tvkit
