#include "tools/demo/Walkthrough.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/data/DataFactory.h"
#include "platform/Paths.h"
#include "platform/RunLoop.h"
#include "support/TempDir.h"
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

TEST_F(DemoWalkthroughTest, AcceptAllOnAFreshInstallReachesTheServiceTheSdksAndTheStatusLine) {
    const auto opts = options({"--fresh", "--accept-all"});
    auto service = demo::DemoService::start(opts);
    ASSERT_TRUE(service && service->local());
    demo::DemoApp app(opts, transcript_);
    EXPECT_EQ(demo::Walkthrough(app, opts, transcript_).run(*service), 0) << transcript_.str();

    const auto sent = service->local()->submissions(ServiceEndpoint::consent);
    ASSERT_EQ(sent.size(), 1u) << transcript_.str();
    const auto body = nlohmann::json::parse(sent[0].body);
    EXPECT_EQ(body["MobileApplicationId"], opts.primaryId);
    ASSERT_FALSE(body["AllConsents"].empty());
    for (const auto& category : body["AllConsents"]) EXPECT_EQ(category["ConsentGiven"], "All") << category.dump();

    EXPECT_NE(transcript_.str().find("status Pending"), std::string::npos) << transcript_.str();
    EXPECT_NE(transcript_.str().find("saved accept-all for " + opts.primaryId + ": 200"), std::string::npos);
    EXPECT_EQ(app.home()->status().rfind("Consent: Collected · SDKs last received: ", 0), 0u) << app.home()->status();
    EXPECT_TRUE(std::filesystem::is_regular_file(shots() / "01-home.png"));
    EXPECT_TRUE(std::filesystem::is_regular_file(shots() / "02-accepted-all.png"));
}

TEST_F(DemoWalkthroughTest, ResetKeyForgetsTheStoredChoiceAndAsksAgain) {
    const auto opts = options({"--fresh", "--accept-all"});
    auto service = demo::DemoService::start(opts);
    ASSERT_TRUE(service);
    demo::DemoApp app(opts, transcript_);
    ASSERT_EQ(demo::Walkthrough(app, opts, transcript_).run(*service), 0) << transcript_.str();

    // The home screen answers the demo key once it is on a screen again.
    tvkit::HeadlessHost host;
    host.setRootViewController(app.home());
    host.pressKey("r");
    EXPECT_EQ(app.home()->status(), "Consent needed: the banner is due") << transcript_.str();
    EXPECT_EQ(*app.engine()->getConsentStatus(opts.primaryId).data(), qvtv::QVConsentStatus::pending);
    EXPECT_NE(transcript_.str().find("reset: the stored consent is forgotten"), std::string::npos);
}

} // namespace
