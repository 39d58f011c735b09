#include <gtest/gtest.h>

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/preferences/CategoryView.h"
#include "QVTVConsent/ui/preferences/PackageView.h"
#include "QVTVConsent/ui/preferences/PreferenceCenterBuilders.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"

using namespace qvtv;
using namespace prefcentertest;
using tvkit::PressType;

namespace {

class PreferenceCenterLooksTest : public testsupport::ScreenTestFixture {
protected:
    std::shared_ptr<QVPreferenceCenterViewController> open(std::shared_ptr<QVPreferenceCenterData> data) {
        auto screen = std::make_shared<QVPreferenceCenterViewController>();
        screen->data = std::move(data);
        screen->applicationId = "demo-tv-app";
        present(screen);
        advance(0.5);
        return screen;
    }

    static std::shared_ptr<QVPreferenceCenterData> sample() {
        return center(
            {settingsTab({makeCategory(QVCategoryType::essential, "Essential",
                                       {makePackage({.name = "Sign-in", .category = QVCategoryType::essential,
                                                     .enabled = true})},
                                       true),
                          makeCategory(QVCategoryType::analytics, "Analytics",
                                       {makePackage({.name = "Viewing statistics", .enabled = true}),
                                        makePackage({.name = "Crash reports"})},
                                       true),
                          makeCategory(QVCategoryType::advertising, "Advertising", {makePackage({.name = "Ads"})})}),
             policyTab(QVPreferenceCenterTabType::pp, "Privacy policy", longPolicy(12'000)),
             policyTab(QVPreferenceCenterTabType::cp, "Cookie policy", std::nullopt)});
    }
};

} // namespace

TEST_F(PreferenceCenterLooksTest, SettingsWithACategoryExpandedAndAPackageOpen) {
    auto screen = open(sample());
    auto* body = dynamic_cast<QVPreferenceCenterSettingsView*>(screen->body());
    ASSERT_TRUE(body);
    CategoryView* analytics = body->categoryViews().at(1);
    for (int i = 0; i < 20 && focusedView() != analytics; ++i) press(PressType::downArrow);
    ASSERT_EQ(focusedView(), analytics);
    press(PressType::select);
    press(PressType::select);
    ASSERT_FALSE(analytics->packageViews().at(0)->packageContentView()->isHidden());
    advance(1);
    EXPECT_TRUE(matchesGolden("preferences_settings_expanded"));
}

TEST_F(PreferenceCenterLooksTest, APolicyPageScrolledHalfway) {
    auto screen = open(sample());
    ASSERT_TRUE(pressUntil<QVTabView>(PressType::upArrow));
    press(PressType::rightArrow);
    press(PressType::select);
    auto* text = pressUntil<QVAttributedScrollableTextView>(PressType::downArrow);
    ASSERT_TRUE(text);
    text->setContentOffset({0, text->maxContentOffset().y / 2});
    advance(1);
    EXPECT_TRUE(matchesGolden("preferences_policy_half"));
}

TEST_F(PreferenceCenterLooksTest, TheTabBarWithTheSecondTabFocused) {
    auto screen = open(sample());
    ASSERT_TRUE(pressUntil<QVTabView>(PressType::upArrow));
    press(PressType::rightArrow);
    ASSERT_EQ(focusedView(), screen->tabViews().at(1).get());
    advance(1);
    EXPECT_TRUE(matchesGolden("preferences_tabs_second_focused"));
}
