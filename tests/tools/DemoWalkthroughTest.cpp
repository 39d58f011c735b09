#include "tools/demo/Walkthrough.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <map>
#include <sstream>

#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/data/DataFactory.h"
#include "platform/Paths.h"
#include "platform/RunLoop.h"
#include "support/TempDir.h"
#include "QVTVConsent/ui/GoldenImage.h"
#include "QVTVConsent/ui/banner/QVConsentBannerViewController.h"
#include "tools/demo/DemoControls.h"
#include "tools/demo/DemoService.h"

using consentservice::ServiceEndpoint;

namespace {

// One start of the demo over a temporary data folder, with the in-process service; the
// library's process-wide state is forgotten afterwards.
class DemoWalkthroughTest : public ::testing::Test {
protected:
    ~DemoWalkthroughTest() override {
        qvtv::QVConsentEngineFactory::clearSession(true);
        qvtv::DataFactory::setRepository(nullptr);
        platform::RunLoop::main().runPending();
    }

    demo::DemoOptions options(std::vector<std::string> flags) {
        for (const char* flag : {"--headless", "--data"}) flags.push_back(flag);
        flags.push_back((dir_.path() / "data").string());
        flags.push_back("--screenshots");
        flags.push_back(shots().string());
        auto parsed = demo::DemoOptions::parse(flags);
        EXPECT_TRUE(parsed);
        platform::Paths::setDataDirectory(parsed->dataDir / "device");
        return *parsed;
    }

    std::filesystem::path shots() const { return dir_.path() / "shots"; }

    testsupport::TempDir dir_;
    std::ostringstream transcript_;
};

// The pictures the README shows are these goldens: a change to a screen shows up here first.
void expectGoldens(const demo::Walkthrough& walkthrough, const std::map<std::string, std::string>& goldenByShot) {
    for (const auto& shot : walkthrough.screenshots()) {
        const std::string stem = shot.stem().string();
        const auto golden = goldenByShot.find(stem.substr(stem.find('-') + 1));
        if (golden == goldenByShot.end()) continue;
        const auto picture = tvkit::Bitmap::readPng(shot.string());
        ASSERT_TRUE(picture) << shot;
        EXPECT_TRUE(testsupport::GoldenImage::compare(*picture, golden->second)) << shot;
    }
}

TEST_F(DemoWalkthroughTest, TheTourWithTheRemoteStoresTheViewersChoiceAndShowsEachScreen) {
    const auto opts = options({"--fresh", "--tour"});
    auto service = demo::DemoService::start(opts);
    ASSERT_TRUE(service && service->local());
    demo::DemoApp app(opts, transcript_);
    demo::Walkthrough walkthrough(app, opts, transcript_);
    ASSERT_EQ(walkthrough.run(*service), 0) << transcript_.str();

    // The analytics category was switched on and one of its packages off again; nothing else.
    const auto sent = service->local()->submissions(ServiceEndpoint::consent);
    ASSERT_EQ(sent.size(), 1u) << transcript_.str();
    const auto body = nlohmann::json::parse(sent[0].body);
    EXPECT_EQ(body["MobileApplicationId"], opts.primaryId);
    std::map<std::string, std::string> given;
    std::vector<std::string> off, on;
    for (const auto& category : body["AllConsents"]) {
        given[category["MobileComplianceCategory"]] = category["ConsentGiven"];
        if (category["MobileComplianceCategory"] != "Analytics") continue;
        for (const auto& package : category["MobilePackageConsents"]) {
            (package["IsEnabled"] == true ? on : off).push_back(package["PackageId"]);
        }
    }
    EXPECT_EQ(given, (std::map<std::string, std::string>{
                         {"Advertising", "None"}, {"Analytics", "Partial"}, {"Essential", "All"}, {"SocialMedia", "None"}}))
        << body.dump();
    EXPECT_EQ(off, std::vector<std::string>{"com.northlight.crash"});
    EXPECT_EQ(on.size(), 4u);

    // The name typed on the on-screen keyboard went with the refused data request.
    const auto requests = service->local()->submissions(ServiceEndpoint::dataRequest);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(nlohmann::json::parse(requests[0].body)["Name"], "Jane");

    EXPECT_EQ(app.home()->status().rfind("Consent: Collected · SDKs last received: ", 0), 0u) << app.home()->status();
    std::vector<std::string> names;
    for (const auto& shot : walkthrough.screenshots()) names.push_back(shot.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"01-banner.png", "02-settings.png", "03-policy.png", "04-keyboard.png",
                                               "05-toast.png", "06-saved.png"}));
    expectGoldens(walkthrough, {{"banner", "demo_banner"},
                                {"settings", "demo_settings"},
                                {"policy", "demo_policy"},
                                {"keyboard", "demo_keyboard"},
                                {"toast", "demo_toast"}});
}

TEST_F(DemoWalkthroughTest, TheAdvancedFixturesShowTheBannerWithItsCategoryStrip) {
    const auto opts = options({"--fresh", "--once", "--primary", "demo-tv-advanced"});
    auto service = demo::DemoService::start(opts);
    ASSERT_TRUE(service);
    demo::DemoApp app(opts, transcript_);
    demo::Walkthrough walkthrough(app, opts, transcript_);
    ASSERT_EQ(walkthrough.run(*service), 0) << transcript_.str();
    ASSERT_EQ(walkthrough.screenshots().size(), 1u);
    EXPECT_EQ(walkthrough.screenshots()[0].filename(), "01-banner.png");
    expectGoldens(walkthrough, {{"banner", "demo_banner_advanced"}});
}

TEST_F(DemoWalkthroughTest, AcceptAllPressedOnTheBannerReachesTheServiceAndTheStatusLine) {
    const auto opts = options({"--fresh", "--accept-all"});
    auto service = demo::DemoService::start(opts);
    ASSERT_TRUE(service && service->local());
    demo::DemoApp app(opts, transcript_);
    EXPECT_EQ(demo::Walkthrough(app, opts, transcript_).run(*service), 0) << transcript_.str();

    const auto sent = service->local()->submissions(ServiceEndpoint::consent);
    ASSERT_EQ(sent.size(), 1u) << transcript_.str();
    const auto body = nlohmann::json::parse(sent[0].body);
    ASSERT_FALSE(body["AllConsents"].empty());
    for (const auto& category : body["AllConsents"]) EXPECT_EQ(category["ConsentGiven"], "All") << category.dump();
    EXPECT_NE(transcript_.str().find("status Pending"), std::string::npos) << transcript_.str();
    EXPECT_EQ(app.home()->status().rfind("Consent: Collected · SDKs last received: ", 0), 0u) << app.home()->status();
    EXPECT_TRUE(std::filesystem::is_regular_file(shots() / "01-banner.png"));
    EXPECT_TRUE(std::filesystem::is_regular_file(shots() / "02-accepted-all.png"));
}

TEST_F(DemoWalkthroughTest, DemoKeysResetTheConsentAndSwitchTheFixtures) {
    const auto opts = options({"--fresh", "--accept-all"});
    auto service = demo::DemoService::start(opts);
    ASSERT_TRUE(service);
    demo::DemoApp app(opts, transcript_);
    demo::Walkthrough walkthrough(app, opts, transcript_);
    ASSERT_EQ(walkthrough.run(*service), 0) << transcript_.str();
    demo::DemoControls controls(app, *service);
    auto& host = walkthrough.host();

    // R: the stored choice is forgotten and the banner comes again.
    host.pressKey("r");
    EXPECT_EQ(*app.engine()->getConsentStatus(opts.primaryId).data(), qvtv::QVConsentStatus::pending);
    ASSERT_TRUE(walkthrough.waitFor(
        [&] { return dynamic_cast<qvtv::QVConsentBannerViewController*>(host.window().topViewController()); }, "banner"));
    EXPECT_NE(transcript_.str().find("reset: the stored consent is forgotten"), std::string::npos);

    // F (from the home screen, as the key is offered there): the other fixture pair, from nothing stored.
    host.press(tvkit::PressType::menu);
    ASSERT_TRUE(walkthrough.waitFor([&] { return host.window().topViewController() == app.home().get(); }, "home"));
    host.pressKey("f");
    EXPECT_EQ(app.options().primaryId, "demo-tv-advanced");
    EXPECT_NE(transcript_.str().find("initialise demo-tv-advanced: 200"), std::string::npos) << transcript_.str();

    // E: the faults in turn, named on the status line; the fourth press clears them.
    controls.nextFault();
    EXPECT_NE(app.home()->status().find("1.5 s late"), std::string::npos) << app.home()->status();
    controls.nextFault();
    EXPECT_NE(app.home()->status().find("answer 500"), std::string::npos);
    controls.nextFault();
    EXPECT_NE(app.home()->status().find("no templates"), std::string::npos);
    controls.nextFault();
    EXPECT_EQ(controls.fault(), demo::DemoControls::Fault::none);
    EXPECT_EQ(app.home()->status().find("fault"), std::string::npos);
}

} // namespace
