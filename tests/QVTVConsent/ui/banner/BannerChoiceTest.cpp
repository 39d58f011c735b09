// What the viewer's choice on the banner does end to end: the body the local consent service
// receives, the document stored on the device, the calls the SDKs receive, the events delegates
// and observers hear, and what stays on screen.

#include "QVTVConsent/ui/banner/BannerTestFixture.h"

#include "QVTVConsent/ui/controls/QVCheckboxView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "tvkit/view/Label.h"

namespace bannertest {
namespace {

using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;
using qvtv::QVConsentStatus;
using qvtv::QVUserConsentActionType;

const char* const kidsId = "demo-tv-app-kids";

// The consent records of the kids' template (categories by name, pool packages by name) with
// every non-essential package set to `on`.
nlohmann::json kidsConsents(bool on) {
    auto package = [](const char* name, const char* id, bool enabled) {
        return nlohmann::json{{"PackageName", name}, {"PackageId", id}, {"IsEnabled", enabled}};
    };
    return nlohmann::json::array({
        {{"MobileComplianceCategory", "Analytics"},
         {"ConsentGiven", on ? "All" : "None"},
         {"MobilePackageConsents",
          {package("Crash Insights", "com.northlight.crash", on), package("Firebase Analytics", "FirebaseAnalytics", on),
           package("Playback Quality Metrics", "com.northlight.qoe", on)}}},
        {{"MobileComplianceCategory", "Essential"},
         {"ConsentGiven", "All"},
         {"MobilePackageConsents",
          {package("Consent Storage", "com.northlight.consent", true),
           package("Playback Session", "com.northlight.playback", true),
           package("Parental Controls", "com.northlight.parental", true)}}},
    });
}

std::string labelText(tvkit::View* view) {
    if (!view) return "";
    if (auto* label = dynamic_cast<tvkit::Label*>(view)) return label->text();
    for (const auto& child : view->subviews()) {
        if (auto text = labelText(child.get()); !text.empty()) return text;
    }
    return "";
}

TEST_F(BannerTest, AcceptOnASimpleBannerSendsEverythingOnStoresItAppliesItAndTellsEveryone) {
    start(kidsId);
    sdks.clearCalls();
    auto* banner = showBanner();
    ASSERT_NE(banner, nullptr);
    EXPECT_FALSE(overlayShown());
    EXPECT_EQ(focusedTitle(), "Allow");

    press(tvkit::PressType::select);
    EXPECT_TRUE(overlayShown());
    waitForEvents(1);

    const auto body = lastConsentBody();
    ASSERT_TRUE(body.is_object());
    EXPECT_EQ(body["AllConsents"], kidsConsents(true)) << body["AllConsents"].dump(2);
    EXPECT_EQ(body["MobileApplicationId"], kidsId);
    EXPECT_EQ(body["ClientId"], engine->getClientId(kidsId).data().value());

    EXPECT_EQ(engine->getConsentStatus(kidsId).data(), QVConsentStatus::collected);
    const auto stored = engine->getCollectedConsentInfo(kidsId).data().value();
    ASSERT_EQ(stored.size(), 2u);
    for (const auto& record : stored) EXPECT_EQ(record->toJson()["ConsentGiven"], "All");

    const auto calls = sdks.calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "FIRAnalytics setAnalyticsCollectionEnabled:(true)"), calls.end())
        << testing::PrintToString(calls);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c == "TenjinSDK optIn"; }), 0)
        << "Tenjin is in no category of this template";

    ASSERT_EQ(delegateEvents.size(), 1u);
    EXPECT_EQ(delegateEvents[0].eventCode, delegateCode);
    EXPECT_EQ(delegateEvents[0].envelopeCode, 200);
    EXPECT_EQ(delegateEvents[0].type, QVUserConsentActionType::accept);
    EXPECT_EQ(delegateEvents[0].status, QVConsentStatus::collected);
    EXPECT_EQ(delegateEvents[0].records, 2u);
    ASSERT_EQ(observerEvents.size(), 1u);
    EXPECT_EQ(observerEvents[0].eventCode, 200);

    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_FALSE(overlayShown());
}

TEST_F(BannerTest, DeclineKeepsOnlyTheEssentialCategoryAndDeniesTheSdks) {
    start(kidsId);
    sdks.clearCalls();
    showBanner();
    press(tvkit::PressType::rightArrow);
    EXPECT_EQ(focusedTitle(), "Don't allow");
    press(tvkit::PressType::select);
    waitForEvents(1);

    EXPECT_EQ(lastConsentBody()["AllConsents"], kidsConsents(false));
    EXPECT_EQ(engine->getPackage(kidsId, "FirebaseAnalytics").data().value()->isEnabled(), false);
    const auto calls = sdks.calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "FIRAnalytics setAnalyticsCollectionEnabled:(false)"), calls.end())
        << testing::PrintToString(calls);
    ASSERT_EQ(delegateEvents.size(), 1u);
    EXPECT_EQ(delegateEvents[0].type, QVUserConsentActionType::reject);
    EXPECT_EQ(delegateEvents[0].status, QVConsentStatus::collected);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_FALSE(overlayShown());
}

TEST_F(BannerTest, AdvancedBannerSavesTheCategoriesAsTheCheckBoxesLeftThem) {
    editBanner("demo-tv-advanced", [](nlohmann::json& banner) { banner["template"]["DoNotStoreConsent"] = "false"; });
    start("demo-tv-advanced");
    showBanner();
    EXPECT_EQ(focusedTitle(), "OK");
    // Down to the boxes, then to "Measurement", and switch it off.
    press(tvkit::PressType::downArrow);
    for (int i = 0; i < 3; ++i) {
        auto* box = dynamic_cast<qvtv::QVCheckboxView*>(focusedView());
        ASSERT_NE(box, nullptr);
        if (box->title() == "Measurement") break;
        press(box->title() == "Marketing" ? tvkit::PressType::rightArrow : tvkit::PressType::leftArrow);
    }
    auto* measurement = dynamic_cast<qvtv::QVCheckboxView*>(focusedView());
    ASSERT_NE(measurement, nullptr);
    ASSERT_EQ(measurement->title(), "Measurement");
    const bool wasChecked = measurement->isCheckedValue();
    press(tvkit::PressType::select);
    EXPECT_NE(measurement->isCheckedValue(), wasChecked);
    if (measurement->isCheckedValue()) press(tvkit::PressType::select);  // make sure it ends unchecked

    // Up reaches the consent text above the boxes, and right from it the first button.
    press(tvkit::PressType::upArrow);
    EXPECT_EQ(focusedTitle(), "QVAttributedScrollableTextView");
    press(tvkit::PressType::rightArrow);
    ASSERT_EQ(focusedTitle(), "OK");
    press(tvkit::PressType::select);
    waitForEvents(1);

    const auto consents = lastConsentBody()["AllConsents"];
    ASSERT_EQ(consents.size(), 3u) << consents.dump(2);
    for (const auto& category : consents) {
        const bool measured = category["MobileComplianceCategory"] == "Analytics";
        EXPECT_EQ(category["ConsentGiven"], measured ? "None" : "All") << category.dump();
        for (const auto& package : category["MobilePackageConsents"]) EXPECT_EQ(package["IsEnabled"], !measured);
    }
    ASSERT_EQ(delegateEvents.size(), 1u);
    EXPECT_EQ(delegateEvents[0].type, QVUserConsentActionType::accept);
    EXPECT_FALSE(overlayShown());
}

TEST_F(BannerTest, AFailedSaveLeavesTheBannerUpWithAToastAndStillSendsTheEvent) {
    start(kidsId);
    ServiceFault broken;
    broken.kind = ServiceFault::Kind::dropConnection;
    broken.times = 1;
    harness.service().setFault(ServiceEndpoint::consent, broken);
    auto* banner = showBanner();
    press(tvkit::PressType::rightArrow);
    press(tvkit::PressType::select);
    EXPECT_TRUE(runUntil([&] { return delegateEvents.size() == 1; }));
    drainMain();
    EXPECT_EQ(delegateEvents.at(0).envelopeCode, 500);
    EXPECT_EQ(delegateEvents.at(0).type, QVUserConsentActionType::reject);
    EXPECT_EQ(presentedBanner(), banner);
    EXPECT_NE(toastOn(*banner), nullptr);
    EXPECT_FALSE(overlayShown());
    advance(3);

    ServiceFault refused;
    refused.kind = ServiceFault::Kind::responseStatusError;
    refused.times = 1;
    harness.service().setFault(ServiceEndpoint::consent, refused);
    press(tvkit::PressType::leftArrow);
    press(tvkit::PressType::select);
    EXPECT_TRUE(runUntil([&] { return delegateEvents.size() == 2; }));
    drainMain();
    ASSERT_EQ(delegateEvents.size(), 2u);
    EXPECT_EQ(delegateEvents[1].envelopeCode, 409);
    EXPECT_EQ(delegateEvents[1].type, QVUserConsentActionType::accept);
    // Nothing was saved, so the event says what still holds.
    EXPECT_EQ(delegateEvents[1].status, QVConsentStatus::pending);
    EXPECT_EQ(engine->getConsentStatus(kidsId).data(), QVConsentStatus::pending);
    EXPECT_EQ(presentedBanner(), banner);
    EXPECT_FALSE(overlayShown());

    auto* toast = toastOn(*banner);
    ASSERT_NE(toast, nullptr);
    EXPECT_FALSE(labelText(toast).empty());
    advance(0.3 + 2.0 - 0.1);
    EXPECT_NE(toastOn(*banner), nullptr);
    advance(0.6);
    EXPECT_EQ(toastOn(*banner), nullptr);

    // The banner still works: the next Accept goes through.
    EXPECT_EQ(focusedTitle(), "Allow");
    press(tvkit::PressType::select);
    waitForEvents(3);
    EXPECT_EQ(delegateEvents[2].envelopeCode, 200);
    EXPECT_EQ(home->presentedViewController(), nullptr);
}

TEST_F(BannerTest, MenuAndEscapeCloseTheBannerWithOne499EventEach) {
    start(kidsId);
    auto banner = showBanner()->shared_from_this();  // kept, to be shown once more
    press(tvkit::PressType::menu);
    advance(0.5);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    ASSERT_EQ(delegateEvents.size(), 1u);
    EXPECT_EQ(delegateEvents[0].envelopeCode, 499);
    EXPECT_EQ(delegateEvents[0].type, std::nullopt);
    EXPECT_EQ(delegateEvents[0].status, QVConsentStatus::pending);
    EXPECT_EQ(delegateEvents[0].records, 0u);
    ASSERT_EQ(observerEvents.size(), 1u);
    EXPECT_EQ(observerEvents[0].eventCode, 499);

    // The same banner shown again answers one Menu press with one event, not one per appearance.
    home->present(banner, false);
    advance(0.5);
    press(tvkit::PressType::menu);
    advance(0.5);
    EXPECT_EQ(delegateEvents.size(), 2u);
    EXPECT_EQ(home->presentedViewController(), nullptr);

    showBanner();
    host().pressKey("\x1b");
    advance(0.5);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    ASSERT_EQ(delegateEvents.size(), 3u);
    EXPECT_EQ(delegateEvents[2].envelopeCode, 499);
    EXPECT_FALSE(overlayShown());

    // After a choice, Menu reports the status that holds.
    showBanner();
    press(tvkit::PressType::select);
    waitForEvents(4);
    showBanner();
    press(tvkit::PressType::menu);
    advance(0.5);
    ASSERT_EQ(delegateEvents.size(), 5u);
    EXPECT_EQ(delegateEvents[4].envelopeCode, 499);
    EXPECT_EQ(delegateEvents[4].status, QVConsentStatus::collected);
}

TEST_F(BannerTest, CustomizeClosesTheBannerAndOpensThePreferenceCenterOnTheSameScreen) {
    start("demo-tv-app");
    showBanner();
    press(tvkit::PressType::rightArrow);
    press(tvkit::PressType::rightArrow);
    ASSERT_EQ(focusedTitle(), "Customise");
    press(tvkit::PressType::select);
    EXPECT_TRUE(runUntil([&] {
        return home->presentedViewController() && !presentedBanner();
    }));
    advance(0.5);
    auto* center = dynamic_cast<qvtv::QVPreferenceCenterViewController*>(home->presentedViewController());
    ASSERT_NE(center, nullptr) << "Customize opens the preference center itself";
    EXPECT_EQ(center->applicationId, "demo-tv-app");
    EXPECT_FALSE(center->tabViews().empty());
    EXPECT_EQ(center->modalPresentationStyle(), tvkit::ModalPresentationStyle::fullScreen);
    EXPECT_EQ(center->modalTransitionStyle(), tvkit::ModalTransitionStyle::crossDissolve);
    EXPECT_TRUE(delegateEvents.empty());
    EXPECT_FALSE(overlayShown());
}

} // namespace
} // namespace bannertest
