#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/ui/controls/QVTVFocusButton.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/preferences/CategoryView.h"
#include "QVTVConsent/ui/preferences/PreferenceCenterBuilders.h"
#include "QVTVConsent/ui/preferences/PreferenceCenterFixture.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterHTMLContentView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "QVTVConsent/ui/preferences/QVSwitchButton.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"
#include "support/LogCapture.h"

using namespace qvtv;
using namespace prefcentertest;
using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;
using tvkit::PressType;

namespace {

class PreferenceCenterScreenTest : public PreferenceCenterFixture {
protected:
    tvkit::View* toast() { return hostScreen().presentedViewController()->view()->viewWithTag(toastTag); }

    nlohmann::json lastConsentBody() {
        auto bodies = sent(ServiceEndpoint::consent);
        return bodies.empty() ? nlohmann::json() : bodies.back();
    }
};

ServiceFault failing(ServiceFault::Kind kind) {
    ServiceFault fault;
    fault.kind = kind;
    return fault;
}

} // namespace

TEST_F(PreferenceCenterScreenTest, TabsFollowTheTemplateInCapitalsAndSwitchingBuildsANewBody) {
    auto data = templateData();
    auto screen = open(data);
    ASSERT_EQ(screen->tabViews().size(), 4u);
    std::vector<std::string> titles;
    for (const auto& tab : screen->tabViews()) titles.push_back(tab->label()->text());
    EXPECT_EQ(titles, (std::vector<std::string>{"PRIVACY SETTINGS", "PRIVACY POLICY", "COOKIE POLICY", "DATA REQUEST"}));
    EXPECT_TRUE(screen->tabViews()[0]->isSelectedValue());
    EXPECT_EQ(screen->tabViews()[0]->dividerView()->frame().width(), screen->tabViews()[0]->label()->frame().width());
    EXPECT_TRUE(dynamic_cast<QVPreferenceCenterSettingsView*>(screen->body()));

    // The card is 0.55 of the screen wide and centred.
    const tvkit::Rect card = windowFrame(*screen->card());
    EXPECT_DOUBLE_EQ(card.width(), 1920 * 0.55);
    EXPECT_NEAR(card.midX(), 960, 0.5);
    EXPECT_NEAR(card.midY(), 540, 0.5);

    // Switch a category off, go to the privacy policy and back: a new body, the switch as left.
    auto* settings = dynamic_cast<QVPreferenceCenterSettingsView*>(screen->body());
    std::weak_ptr<tvkit::View> firstSettings = settings->weak_from_this();
    CategoryView* analytics = nullptr;
    for (CategoryView* card : settings->categoryViews()) {
        if (card->category()->type == QVCategoryType::analytics) analytics = card;
    }
    ASSERT_TRUE(analytics);
    analytics->setCategoryEnabled(true);

    ASSERT_TRUE(pressUntil<QVTabView>(PressType::upArrow));
    press(PressType::rightArrow);
    EXPECT_EQ(focusedView(), screen->tabViews()[1].get());
    press(PressType::select);
    EXPECT_TRUE(screen->tabViews()[1]->isSelectedValue());
    EXPECT_FALSE(screen->tabViews()[0]->isSelectedValue());
    auto* policy = dynamic_cast<QVPreferenceCenterHTMLContentView*>(screen->body());
    ASSERT_TRUE(policy);
    EXPECT_EQ(policy->tabType(), QVPreferenceCenterTabType::pp);
    EXPECT_EQ(textOf(policy->buttonRow()->arrangedSubviews().back()), "Back");
    EXPECT_EQ(screen->tabViews()[0]->label()->textColor(), ColorUtils::fromHex(data->tabs[0].textColor, 0.7))
        << "an unselected tab is drawn in its unselected colour";

    // Selecting the selected tab again rebuilds it.
    std::weak_ptr<tvkit::View> firstPolicy = policy->weak_from_this();
    press(PressType::select);
    EXPECT_TRUE(screen->tabViews()[1]->isSelectedValue());
    EXPECT_TRUE(firstPolicy.expired());
    EXPECT_TRUE(dynamic_cast<QVPreferenceCenterHTMLContentView*>(screen->body()));

    press(PressType::leftArrow);
    press(PressType::select);
    auto* again = dynamic_cast<QVPreferenceCenterSettingsView*>(screen->body());
    ASSERT_TRUE(again);
    EXPECT_TRUE(firstSettings.expired());
    for (CategoryView* card : again->categoryViews()) {
        if (card->category()->type == QVCategoryType::analytics) {
            EXPECT_TRUE(card->toggle()->isChecked()) << "the switch as the viewer left it";
        }
    }
}

TEST_F(PreferenceCenterScreenTest, TheButtonRowSizesButtonsByTheirTitlesAndSkipsHiddenOnes) {
    auto ads = makeCategory(QVCategoryType::advertising, "Ads", {});
    auto tab = settingsTab({ads}, false);
    auto settings = std::get<std::shared_ptr<QVSettingsData>>(tab.content);
    settings->saveButton = button("OK");
    settings->cancelButton = button("Leave without saving any of these choices");
    auto screen = open(center({tab, policyTab(QVPreferenceCenterTabType::pp, "Policy", std::nullopt)}));
    auto* body = dynamic_cast<QVPreferenceCenterSettingsView*>(screen->body());
    ASSERT_TRUE(body);
    std::vector<QVTVFocusButton*> buttons = findAll<QVTVFocusButton>(body);
    ASSERT_EQ(buttons.size(), 2u) << "save and cancel, no decline";
    EXPECT_EQ(textOf(buttons[0]), "OK");
    EXPECT_DOUBLE_EQ(buttons[0]->frame().width(), 160);
    const double titleWidth = buttons[1]->titleLabel()->textSize(0).width;
    EXPECT_DOUBLE_EQ(buttons[1]->frame().width(), titleWidth + 40);
    for (auto* b : buttons) EXPECT_DOUBLE_EQ(b->frame().height(), 60);
    EXPECT_LT(windowFrame(*buttons[0]).maxX(), windowFrame(*buttons[1]).minX());
    EXPECT_NEAR(windowFrame(*buttons[1]).maxX(), windowFrame(*body).maxX(), 0.5) << "buttons sit at the trailing end";
    EXPECT_NEAR(windowFrame(*body->scrollView()).height(), 1080 * 0.44, 0.5);

    settings->saveButton.buttonType = QVButtonType::none;
    ASSERT_TRUE(pressUntil<QVTabView>(PressType::upArrow));
    press(PressType::select);  // rebuilt from the changed template
    body = dynamic_cast<QVPreferenceCenterSettingsView*>(screen->body());
    buttons = findAll<QVTVFocusButton>(body);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(textOf(buttons[0]), "Leave without saving any of these choices");

    // A page without inline text shows only its cancel button.
    press(PressType::rightArrow);
    press(PressType::select);
    auto* page = dynamic_cast<QVPreferenceCenterHTMLContentView*>(screen->body());
    ASSERT_TRUE(page);
    EXPECT_TRUE(findAll<QVAttributedScrollableTextView>(page).empty());
    EXPECT_EQ(findAll<QVTVFocusButton>(page).size(), 1u);
}

TEST_F(PreferenceCenterScreenTest, SaveSendsTheSwitchesWithEssentialForcedOnAndClosesTheScreen) {
    auto data = templateData();
    auto& categories = std::get<std::shared_ptr<QVSettingsData>>(data->tabs[0].content)->categories;
    for (auto& category : categories) {
        // Even a template that marks the essential categories off sends them on.
        const bool analytics = category->type == QVCategoryType::analytics;
        category->isEnabled = analytics;
        for (auto& pkg : category->packages) pkg->setEnabled(analytics);
    }
    auto screen = open(data);
    ASSERT_EQ(textOf(pressUntil<QVTVFocusButton>(PressType::downArrow)), "Save choices");
    press(PressType::select);
    ASSERT_TRUE(runUntil([&] { return !delegate->events.empty(); }));
    advance(1);

    const auto body = lastConsentBody();
    ASSERT_TRUE(body.contains("AllConsents")) << body.dump();
    for (const auto& category : body["AllConsents"]) {
        const std::string type = category["MobileComplianceCategory"];
        const bool on = type == "Essential" || type == "Analytics";
        EXPECT_EQ(category["ConsentGiven"], on ? "All" : "None") << category.dump();
        for (const auto& pkg : category["MobilePackageConsents"]) EXPECT_EQ(pkg["IsEnabled"], on) << pkg.dump();
    }
    EXPECT_FALSE(isPresented(*screen));
    ASSERT_EQ(delegate->events.size(), 1u);
    const auto& event = delegate->events[0];
    EXPECT_EQ(event.code(), 200);
    EXPECT_EQ(event.data()->type(), QVUserConsentActionType::customize);
    EXPECT_EQ(event.data()->consentStatus(), QVConsentStatus::collected);
    EXPECT_EQ(DataFactory::repository()->getConsentStatus(appId).data(), QVConsentStatus::collected);
}

TEST_F(PreferenceCenterScreenTest, DeclineSendsEverythingButEssentialOffWhateverTheSwitchesShow) {
    auto data = templateData();
    auto& categories = std::get<std::shared_ptr<QVSettingsData>>(data->tabs[0].content)->categories;
    for (auto& category : categories) {
        category->isEnabled = true;
        for (auto& pkg : category->packages) pkg->setEnabled(true);
    }
    auto screen = open(data);
    pressUntil<QVTVFocusButton>(PressType::downArrow);
    press(PressType::rightArrow);
    ASSERT_EQ(textOf(focusedView()), "Reject all");
    press(PressType::select);
    ASSERT_TRUE(runUntil([&] { return !delegate->events.empty(); }));

    const auto body = lastConsentBody();
    for (const auto& category : body["AllConsents"]) {
        const bool essential = category["MobileComplianceCategory"] == "Essential";
        EXPECT_EQ(category["ConsentGiven"], essential ? "All" : "None") << category.dump();
        for (const auto& pkg : category["MobilePackageConsents"]) EXPECT_EQ(pkg["IsEnabled"], essential);
    }
    for (CategoryView* card : dynamic_cast<QVPreferenceCenterSettingsView&>(*screen->body()).categoryViews()) {
        EXPECT_TRUE(card->toggle()->isChecked()) << "the switches keep their positions";
    }
    EXPECT_EQ(delegate->events[0].data()->type(), QVUserConsentActionType::customize);
}

TEST_F(PreferenceCenterScreenTest, ARefusedSaveKeepsTheScreenWithAToastAndStillTellsTheHost) {
    auto screen = open(templateData());
    pressUntil<QVTVFocusButton>(PressType::downArrow);
    for (auto [kind, code] : {std::pair{ServiceFault::Kind::responseStatusError, 409},
                              std::pair{ServiceFault::Kind::dropConnection, 500}}) {
        harness.service().setFault(ServiceEndpoint::consent, failing(kind));
        delegate->events.clear();
        press(PressType::select);
        ASSERT_TRUE(runUntil([&] { return !delegate->events.empty(); }));
        EXPECT_EQ(delegate->events[0].code(), code);
        EXPECT_TRUE(isPresented(*screen));
        ASSERT_NE(toast(), nullptr);
        EXPECT_EQ(textOf(toast()), delegate->events[0].msg());
        advance(3);  // the toast goes before the next try
        EXPECT_EQ(toast(), nullptr);
    }
    EXPECT_EQ(DataFactory::repository()->getConsentStatus(appId).data(), QVConsentStatus::pending);
}

TEST_F(PreferenceCenterScreenTest, AnSdkThatFailsAfterTheSaveGivesAToastAndNoEvent) {
    sdks.failOn("setConsent:");
    auto screen = open(templateData());
    ASSERT_EQ(textOf(pressUntil<QVTVFocusButton>(PressType::downArrow)), "Save choices");
    press(PressType::select);
    ASSERT_TRUE(runUntil([&] { return toast() != nullptr; }));
    EXPECT_EQ(textOf(toast()), sdkfakes::FakeVendorSdks::failureText);
    EXPECT_TRUE(isPresented(*screen));
    EXPECT_TRUE(delegate->events.empty());
    EXPECT_EQ(harness.service().submissions(ServiceEndpoint::consent).size(), 1u) << "the choice itself was saved";
    sdks.clearFailures();
}

TEST_F(PreferenceCenterScreenTest, CancelClosesTheScreenAndTheBannerReturnsOnlyWhileConsentIsMissing) {
    // Pending: Menu closes the screen, the host hears 499 and the banner comes back.
    auto screen = open(templateData());
    press(PressType::menu);
    EXPECT_FALSE(isPresented(*screen));
    ASSERT_EQ(delegate->events.size(), 1u);
    EXPECT_EQ(delegate->events[0].code(), 499);
    EXPECT_EQ(delegate->events[0].msg(), "");
    EXPECT_EQ(delegate->events[0].data()->type(), QVUserConsentActionType::customize);
    EXPECT_EQ(delegate->events[0].data()->consentStatus(), QVConsentStatus::collected);
    ASSERT_TRUE(runUntil([&] { return hostScreen().presentedViewController() != nullptr; }));
    advance(1);
    EXPECT_NE(hostScreen().presentedViewController(), screen.get()) << "the banner comes back";
    hostScreen().dismiss(false);
    advance(1);

    // Collected: Escape closes it too and nothing else appears.
    ASSERT_EQ(DataFactory::repository()->saveConsent(appId, (*DataFactory::repository()->getBannerData(appId).data())
                                                                ->categories, true).get().code(), 200);
    delegate->events.clear();
    screen = open(templateData());
    host().pressKey(tvkit::KeyCommand::inputEscape);
    EXPECT_FALSE(isPresented(*screen));
    ASSERT_EQ(delegate->events.size(), 1u);
    EXPECT_EQ(delegate->events[0].code(), 499);
    advance(1);
    EXPECT_EQ(hostScreen().presentedViewController(), nullptr);
}

TEST_F(PreferenceCenterScreenTest, AScreenShownTwiceCancelsOncePerMenuPressAndAnEmptyOneStillCloses) {
    auto screen = open(center({}));
    EXPECT_TRUE(screen->tabViews().empty());
    EXPECT_EQ(screen->body(), nullptr);
    hostScreen().dismiss(false);
    advance(1);
    delegate->events.clear();

    hostScreen().present(screen, false);
    advance(1);
    ASSERT_TRUE(isPresented(*screen));
    press(PressType::menu);
    EXPECT_FALSE(isPresented(*screen));
    EXPECT_EQ(delegate->events.size(), 1u) << "one Menu press, one cancel";
}

TEST_F(PreferenceCenterScreenTest, APolicyScrollsWithUpAndDownBeforeFocusLeavesAndNeverLeavesSideways) {
    auto screen = open(center({settingsTab({}), policyTab(QVPreferenceCenterTabType::pp, "Privacy policy",
                                                          longPolicy(20'000))}));
    ASSERT_TRUE(pressUntil<QVTabView>(PressType::upArrow));
    press(PressType::rightArrow);
    press(PressType::select);
    auto* text = pressUntil<QVAttributedScrollableTextView>(PressType::downArrow);
    ASSERT_TRUE(text);
    for (int i = 0; i < 3; ++i) press(PressType::downArrow);
    const double scrolled = text->contentOffset().y;
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(focusedView(), text);

    press(PressType::leftArrow);
    press(PressType::rightArrow);
    EXPECT_EQ(focusedView(), text) << "left and right never leave the text";
    host().swipe(tvkit::SwipeDirection::up);
    EXPECT_EQ(focusedView(), text) << "a swipe does not leave a scrolled text either";

    press(PressType::upArrow);
    EXPECT_LT(text->contentOffset().y, scrolled);
    EXPECT_EQ(focusedView(), text) << "up scrolls first";
    for (int i = 0; i < 40 && text->contentOffset().y > 1; ++i) press(PressType::upArrow);
    EXPECT_EQ(focusedView(), text);
    press(PressType::upArrow);
    EXPECT_TRUE(dynamic_cast<QVTabView*>(focusedView())) << "at the top, up leaves for the tab bar";
}
