#include "tvkit/app/Accessibility.h"

#include "support/RecordingAnnouncer.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/TextField.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

TEST(AccessibilityTest, DescriptionsJoinLabelValueAndTraitsWithControlsNamingThemselves) {
    auto button = View::make<Button>();
    button->setTitle("Save");
    EXPECT_EQ(Accessibility::describe(*button), "Save, button");
    button->setAccessibilityLabel("Save my choice");
    button->setEnabled(false);
    EXPECT_EQ(Accessibility::describe(*button), "Save my choice, button, dimmed");

    EXPECT_EQ(Accessibility::describe(*View::make<Label>("Analytics")), "Analytics");
    auto field = View::make<TextField>();
    field->setPlaceholder("Your name");
    EXPECT_EQ(Accessibility::describe(*field), "Your name");
    field->setLabel("Name");
    field->setText("Ana");
    EXPECT_EQ(Accessibility::describe(*field), "Name, Ana");

    auto tab = View::make();
    tab->setAccessibilityLabel("Settings");
    tab->setAccessibilityValue("2 of 3");
    tab->setAccessibilityTraits(AccessibilityTraits::tab | AccessibilityTraits::selected);
    EXPECT_EQ(Accessibility::describe(*tab), "Settings, 2 of 3, tab, selected");
    EXPECT_EQ(Accessibility::describe(*View::make()), "");
}

class TwoButtonScreen : public ViewController {
public:
    void viewDidLoad() override {
        for (int i = 0; i < 2; ++i) {
            auto button = View::make<Button>();
            button->setTitle(i == 0 ? "Accept" : "Decline");
            button->setFrame({100.0 + 400 * i, 100, 300, 80});
            view()->addSubview(button);
        }
    }
};

TEST(AccessibilityTest, PresentingAnnouncesTheTitleThenFocusAndEveryMoveAnnouncesTheFocusedView) {
    HeadlessHost host;
    auto home = std::make_shared<TwoButtonScreen>();
    host.setRootViewController(home);
    {
        testsupport::RecordingAnnouncer announcer;
        auto sheet = std::make_shared<TwoButtonScreen>();
        sheet->setTitle("Privacy");
        home->present(sheet, true);
        host.advance(1);
        host.press(PressType::rightArrow);
        host.press(PressType::rightArrow);  // nothing further right: nothing said
        host.press(PressType::menu);
        host.advance(1);
        EXPECT_EQ(announcer.take(),
                  (std::vector<std::string>{"Privacy", "Accept, button", "Decline, button", "Accept, button"}));

        // A changed state is said again only by the focused view.
        auto* focused = static_cast<Button*>(host.focusedView());
        focused->setAccessibilityValue("on");
        Accessibility::announceChange(*focused);
        Accessibility::announceChange(*sheet->view());
        EXPECT_EQ(announcer.take(), (std::vector<std::string>{"Accept, on, button"}));
    }
    // Without an announcer nothing is said, and moving focus still works.
    EXPECT_FALSE(Accessibility::announcer());
    host.press(PressType::rightArrow);
    EXPECT_EQ(Accessibility::describe(*host.focusedView()), "Decline, button");
}

} // namespace
} // namespace tvkit
