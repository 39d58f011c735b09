#include <gtest/gtest.h>

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/controls/QVTVFocusButton.h"
#include "QVTVConsent/ui/preferences/CategoryView.h"
#include "QVTVConsent/ui/preferences/PackageView.h"
#include "QVTVConsent/ui/preferences/PreferenceCenterBuilders.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "QVTVConsent/ui/preferences/QVSwitchButton.h"
#include "QVTVConsent/ui/preferences/QVToggleButton.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "support/RecordingURLOpener.h"
#include "tvkit/app/LinkSheetController.h"

using namespace qvtv;
using namespace prefcentertest;
using tvkit::PressType;

namespace {

class SettingsTabTest : public testsupport::ScreenTestFixture {
protected:
    void SetUp() override {
        ads = makeCategory(QVCategoryType::advertising, "Ads",
                           {makePackage({.name = "AdNet", .enabled = true}),
                            makePackage({.name = "Reach", .enabled = true, .pp = " \n"}),
                            makePackage({.name = "Billing", .category = QVCategoryType::essential, .enabled = true})},
                           true);
        ads->description = "<p>Ads <b>pay</b> for the free channels.</p><ul><li>Choosing ads</li></ul>";
        essential = makeCategory(QVCategoryType::essential, "Required",
                                 {makePackage({.name = "Login", .category = QVCategoryType::essential})});
        empty = makeCategory(QVCategoryType::socialMedia, "Social", {});
        screen = std::make_shared<QVPreferenceCenterViewController>();
        screen->data = center({settingsTab({ads, essential, empty})});
        screen->applicationId = "demo-tv-app";
        present(screen);
        advance(0.1);
    }

    CategoryView* card(std::size_t index) {
        auto* body = dynamic_cast<QVPreferenceCenterSettingsView*>(screen->body());
        return body ? body->categoryViews().at(index) : nullptr;
    }

    // Presses down until `target` has focus; false when it never gets it.
    bool focusByPressingDown(const tvkit::View* target, int limit = 60) {
        for (int i = 0; i < limit && focusedView() != target; ++i) press(PressType::downArrow);
        return focusedView() == target;
    }

    std::shared_ptr<QVCategory> ads, essential, empty;
    std::shared_ptr<QVPreferenceCenterViewController> screen;
};

std::vector<bool> switches(const QVCategory& category) {
    std::vector<bool> states{category.isEnabled};
    for (const auto& pkg : category.packages) states.push_back(pkg->isEnabled());
    return states;
}

} // namespace

TEST_F(SettingsTabTest, CardsShowTheirTitlesDetailsAndTheEssentialLook) {
    EXPECT_EQ(textOf(card(0)->categoryName()), "Ads (3)");
    EXPECT_EQ(textOf(card(2)->categoryName()), "Social");
    EXPECT_TRUE(card(0)->packagesContainer()->isHidden());
    card(0)->onSelect();
    drainMain();

    // An essential category's switch is dimmed and cannot be used.
    EXPECT_FALSE(card(1)->toggle()->isEnabled());
    EXPECT_DOUBLE_EQ(card(1)->toggle()->alpha(), 0.5);
    EXPECT_DOUBLE_EQ(card(0)->toggle()->alpha(), 1.0);

    // An essential package shows the no-opt-out text where its switch would be.
    PackageView* billing = card(0)->packageViews().at(2);
    EXPECT_NE(findByText("Always on", billing), nullptr);
    EXPECT_DOUBLE_EQ(billing->toggle()->trackView()->alpha(), 0);
    EXPECT_EQ(findByText("Always on", card(0)->packageViews().at(0)), nullptr);

    // Detail rows only for values that are not blank; the keys end in a colon.
    PackageView* adNet = card(0)->packageViews().at(0);
    PackageView* reach = card(0)->packageViews().at(1);
    EXPECT_NE(findByText("Provider:", adNet), nullptr);
    EXPECT_NE(findByText("https://example.com/privacy", adNet), nullptr);
    EXPECT_NE(findByText("Provider:", reach), nullptr);
    EXPECT_EQ(findByText("Privacy policy:", reach), nullptr);
    EXPECT_TRUE(adNet->packageContentView()->isHidden());

    // A description written as HTML shows its words and lines, not its tags.
    EXPECT_NE(findByText("Ads pay for the free channels.\n\xE2\x80\xA2 Choosing ads", card(0)), nullptr);

    // The column headings sit above the packages.
    EXPECT_NE(findByText("Services", card(0)), nullptr);
    EXPECT_NE(findByText("Enabled", card(0)), nullptr);
}

TEST_F(SettingsTabTest, LeftAndRightOnACategorySwitchItAndItsSwitchablePackages) {
    ASSERT_TRUE(focusByPressingDown(card(0)));
    press(PressType::leftArrow);
    EXPECT_EQ(switches(*ads), (std::vector<bool>{false, false, false, true}))
        << "a package that is essential itself keeps its consent";
    EXPECT_FALSE(card(0)->toggle()->isChecked());
    EXPECT_EQ(focusedView(), card(0)) << "left and right never move focus off a card";

    press(PressType::rightArrow);
    EXPECT_EQ(switches(*ads), (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(card(0)->toggle()->isChecked());
    EXPECT_EQ(focusedView(), card(0));

    // A swipe switches the focused card as the arrows do.
    host().swipe(tvkit::SwipeDirection::left);
    EXPECT_EQ(switches(*ads), (std::vector<bool>{false, false, false, true}));
    host().swipe(tvkit::SwipeDirection::right);
    EXPECT_TRUE(ads->isEnabled);

    // Switching the empty category does not recount it back off.
    ASSERT_TRUE(focusByPressingDown(card(2)));
    press(PressType::rightArrow);
    EXPECT_TRUE(empty->isEnabled);
}

TEST_F(SettingsTabTest, TheCategoryFollowsItsPackagesWhenTheyAreSwitchedOneByOne) {
    ASSERT_TRUE(focusByPressingDown(card(0)));
    press(PressType::select);
    PackageView* adNet = card(0)->packageViews().at(0);
    PackageView* reach = card(0)->packageViews().at(1);
    ASSERT_EQ(focusedView(), adNet) << "expanding moves focus to the first package";

    press(PressType::leftArrow);
    EXPECT_EQ(switches(*ads), (std::vector<bool>{true, false, true, true})) << "one package is still on";
    ASSERT_TRUE(focusByPressingDown(reach));
    press(PressType::leftArrow);
    EXPECT_EQ(switches(*ads), (std::vector<bool>{false, false, false, true}))
        << "the last switchable package off turns the category off; the essential one does not count";
    EXPECT_FALSE(card(0)->toggle()->isChecked());
    press(PressType::rightArrow);
    EXPECT_EQ(switches(*ads), (std::vector<bool>{true, false, true, true}));
    EXPECT_TRUE(card(0)->toggle()->isChecked());

    // A swipe on a package card switches the package, never the category around it.
    host().swipe(tvkit::SwipeDirection::left);
    EXPECT_EQ(switches(*ads), (std::vector<bool>{false, false, false, true}));
}

TEST_F(SettingsTabTest, EssentialCategoriesAndPackagesIgnoreEverySwitch) {
    ASSERT_TRUE(focusByPressingDown(card(1)));
    const auto before = switches(*essential);
    press(PressType::leftArrow);
    press(PressType::rightArrow);
    host().swipe(tvkit::SwipeDirection::right);
    EXPECT_EQ(switches(*essential), before);
    EXPECT_FALSE(card(1)->toggle()->isChecked()) << "the switch stays as the template set it";

    press(PressType::select);
    PackageView* login = card(1)->packageViews().at(0);
    ASSERT_EQ(focusedView(), login);
    press(PressType::rightArrow);
    host().swipe(tvkit::SwipeDirection::right);
    EXPECT_FALSE(login->pkg()->isEnabled());

    card(0)->onSelect();
    drainMain();
    PackageView* billing = card(0)->packageViews().at(2);
    billing->setPackageEnabled(false);
    EXPECT_TRUE(billing->pkg()->isEnabled());
}

TEST_F(SettingsTabTest, SelectExpandsAndCollapsesCardsAndMovesFocusInAndOut) {
    ASSERT_TRUE(focusByPressingDown(card(0)));
    EXPECT_TRUE(card(0)->canBecomeFocused());
    EXPECT_FALSE(card(0)->toggle()->canBecomeFocused());

    press(PressType::select);
    EXPECT_TRUE(ads->isExpanded);
    EXPECT_TRUE(card(0)->expandedIndicator()->isOn);
    EXPECT_FALSE(card(0)->packagesContainer()->isHidden());
    EXPECT_FALSE(card(0)->canBecomeFocused());
    EXPECT_TRUE(card(0)->toggle()->canBecomeFocused());
    PackageView* adNet = card(0)->packageViews().at(0);
    EXPECT_EQ(focusedView(), adNet);

    // A package expands in place and keeps focus.
    press(PressType::select);
    EXPECT_TRUE(adNet->pkg()->isExpanded);
    EXPECT_FALSE(adNet->packageContentView()->isHidden());
    EXPECT_EQ(focusedView(), adNet);
    press(PressType::select);
    EXPECT_TRUE(adNet->packageContentView()->isHidden());

    // The category's switch takes focus above its packages; Select there collapses the card.
    press(PressType::upArrow);
    ASSERT_EQ(focusedView(), card(0)->toggle());
    press(PressType::leftArrow);
    EXPECT_FALSE(ads->isEnabled) << "left on the category's switch switches the category";
    press(PressType::select);
    EXPECT_FALSE(ads->isExpanded);
    EXPECT_TRUE(card(0)->packagesContainer()->isHidden());
    EXPECT_EQ(focusedView(), card(0));
}

TEST_F(SettingsTabTest, FocusReachesEveryCardAndTheButtonsAndComesBack) {
    ASSERT_TRUE(focusByPressingDown(card(0)));
    press(PressType::select);  // expanded: its switch and package cards take focus instead
    std::vector<const tvkit::View*> expected{card(0)->toggle()};
    for (PackageView* pkg : card(0)->packageViews()) expected.push_back(pkg);
    expected.push_back(card(1));
    expected.push_back(card(2));

    press(PressType::upArrow, 2);
    std::vector<const tvkit::View*> seen;
    for (int i = 0; i < 40 && !dynamic_cast<QVTVFocusButton*>(focusedView()); ++i) {
        press(PressType::downArrow);
        seen.push_back(focusedView());
    }
    ASSERT_TRUE(dynamic_cast<QVTVFocusButton*>(focusedView())) << "down always reaches the buttons";
    for (const tvkit::View* view : expected) EXPECT_NE(std::find(seen.begin(), seen.end(), view), seen.end());

    // Along the button row and back.
    EXPECT_EQ(textOf(focusedView()), "Save");
    press(PressType::rightArrow);
    EXPECT_EQ(textOf(focusedView()), "Decline all");
    press(PressType::rightArrow);
    EXPECT_EQ(textOf(focusedView()), "Cancel");
    press(PressType::leftArrow, 2);
    EXPECT_EQ(textOf(focusedView()), "Save");

    EXPECT_TRUE(pressUntil<QVTabView>(PressType::upArrow, 40)) << "up always leads back to the tab bar";
}

TEST_F(SettingsTabTest, AnExpandedPackagesPolicyLinkTakesFocusAndOpensItsAddress) {
    ASSERT_TRUE(focusByPressingDown(card(0)));
    press(PressType::select);
    PackageView* adNet = card(0)->packageViews().at(0);
    ASSERT_EQ(focusedView(), adNet);
    EXPECT_EQ(card(0)->packageViews().at(1)->policyLink(), nullptr) << "a blank address gives no row";
    press(PressType::select);  // expand the package
    ASSERT_NE(adNet->policyLink(), nullptr);
    press(PressType::downArrow);
    ASSERT_EQ(focusedView(), adNet->policyLink());
    EXPECT_EQ(textOf(focusedView()), "https://example.com/privacy");

    // Without a host handler the address comes up as a sheet; Menu gives focus back to the row.
    press(PressType::select);
    advance(1);
    auto* sheet = dynamic_cast<tvkit::LinkSheetController*>(screen->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->url(), "https://example.com/privacy");
    press(PressType::menu);
    advance(1);
    EXPECT_EQ(screen->presentedViewController(), nullptr);
    EXPECT_EQ(focusedView(), adNet->policyLink());

    {
        testsupport::RecordingURLOpener opener;
        press(PressType::select);
        EXPECT_EQ(opener.opened, std::vector<std::string>{"https://example.com/privacy"});
    }
    press(PressType::leftArrow);
    EXPECT_TRUE(adNet->pkg()->isEnabled()) << "left on the row leaves the switch alone";
    EXPECT_EQ(focusedView(), adNet->policyLink());
    press(PressType::upArrow);
    EXPECT_EQ(focusedView(), adNet);
    press(PressType::downArrow, 2);
    EXPECT_EQ(focusedView(), card(0)->packageViews().at(1));
}
