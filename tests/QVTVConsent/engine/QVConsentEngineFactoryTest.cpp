#include "QVTVConsent/engine/QVConsentEngineFactory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "QVTVConsent/ServiceHarness.h"
#include "QVTVConsent/engine/QVCoreEngineFactory.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/events/ConsentEventPoster.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "platform/RunLoop.h"
#include "platform/TrackingAuthorization.h"
#include "support/LogCapture.h"
#include "tools/sdk-fakes/FakeVendorSdks.h"

using namespace qvtv;

namespace {

const std::string primaryId = "demo-tv-app";

struct CountingDelegate : QVConsentEventDelegate {
    const std::string& applicationId() const override { return primaryId; }
    void onConsentAction(const QVDataMessage<QVConsentEvent>&) override { ++calls; }
    int calls = 0;
};

// Holds the tracking prompt of an initialisation run open until the test answers it, so the test
// can act at a known point of the run.
class HeldPrompt : public platform::TrackingAuthorization::Provider {
public:
    using Status = platform::TrackingAuthorization::Status;
    platform::Task<Status> requestAuthorization() override {
        asked.resolve();
        return answer.task();
    }
    Status status() const override { return Status::notDetermined; }

    platform::Promise<void> asked;
    platform::Promise<Status> answer;
};

struct InstalledPrompt {
    explicit InstalledPrompt(std::shared_ptr<HeldPrompt> held) : prompt(std::move(held)) {
        platform::TrackingAuthorization::setProvider(prompt);
    }
    ~InstalledPrompt() { platform::TrackingAuthorization::setProvider(nullptr); }
    std::shared_ptr<HeldPrompt> prompt;
};

void expectCleared(const QVConsentEngineFactory::Result& result) {
    EXPECT_EQ(result.code(), 400);
    EXPECT_EQ(result.msg(), "SDK Initialisation is pending...");
    EXPECT_FALSE(result.data());
}

} // namespace

TEST(QVConsentEngineFactory, BeforeInitialisationTheStateIsPendingAndTheLocaleUnavailable) {
    QVCoreEngineFactory::resetForTests();  // as a new process finds it
    const auto engine = QVConsentEngineFactory::currentEngine();
    EXPECT_EQ(engine.code(), 503);
    EXPECT_EQ(engine.msg(), "SDK Initialisation is pending...");
    EXPECT_FALSE(engine.data());

    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logs({.error = true});
    const auto locale = QVConsentEngineFactory::getLocale(primaryId);
    EXPECT_EQ(locale.code(), 200);
    EXPECT_EQ(locale.msg(), "Locale info is currently unavailable 1026");
    EXPECT_EQ(locale.error(), std::optional<std::string>("Locale info is currently unavailable 1026"));
    EXPECT_FALSE(locale.data());
    EXPECT_TRUE(log.contains("[ERROR] QVCoreEngineFactory: getLocale() : Locale info is currently unavailable 1026"));
}

TEST(QVConsentEngineFactory, InitialiseTwiceAnswersTheSameEngineWithoutRequests) {
    testsupport::ServiceHarness harness;
    std::optional<QVConsentEngineFactory::Result> completed;
    auto first = QVConsentEngineFactory::initialise(QVAuthKey(primaryId, std::string("demo-tv-app-kids")),
                                                    [&](const auto& result) { completed = result; });
    const auto result = first.get();
    ASSERT_EQ(result.code(), 200) << result.description();
    EXPECT_EQ(result.msg(), "SDK Initialised successfully");
    ASSERT_TRUE(result.data());
    platform::RunLoop::main().runUntil([&] { return completed.has_value(); });
    ASSERT_TRUE(completed);
    EXPECT_EQ(completed->data(), result.data()) << "the completion runs on the main queue with the same answer";

    const auto requests = harness.service().requests().size();
    const auto again = QVConsentEngineFactory::initialise(QVAuthKey(primaryId)).get();
    EXPECT_EQ(again.data(), result.data());
    EXPECT_EQ(QVConsentEngineFactory::currentEngine().data(), result.data());
    EXPECT_EQ(harness.service().requests().size(), requests);

    // The public engine answers from the real state.
    const auto& engine = *result.data();
    EXPECT_EQ(engine->getConsentStatus(primaryId).msg(), "Pending");
    EXPECT_EQ(engine->getLocale(primaryId).data(), std::optional<std::string>("DE"));
    EXPECT_EQ(QVConsentEngineFactory::getLocale(primaryId).data(), std::optional<std::string>("DE"));
    EXPECT_EQ(engine->getClientId("demo-tv-app-kids").code(), 200);
    EXPECT_EQ(engine->getCollectedConsentInfo(primaryId).code(), 404);
    EXPECT_EQ(engine->isGCMEnabled().data(), std::optional<bool>(true));
    EXPECT_EQ(engine->getGCMData().code(), 200);
    EXPECT_EQ(engine->getAppliedGCMData().code(), 400);
}

TEST(QVConsentEngineFactory, FailedRunLeavesTheLibraryUninitialisedAndTheNextRunTriesAgain) {
    testsupport::ServiceHarness harness;
    const auto failed = QVConsentEngineFactory::initialise(QVAuthKey("")).get();
    EXPECT_EQ(failed.code(), 409);
    EXPECT_EQ(failed.msg(), "Invalid Primary Application Id: Optional(\"\")");
    EXPECT_FALSE(failed.data());
    EXPECT_EQ(QVConsentEngineFactory::currentEngine().code(), 409);

    const auto retried = QVConsentEngineFactory::initialise(QVAuthKey(primaryId)).get();
    EXPECT_EQ(retried.code(), 200);
    EXPECT_TRUE(retried.data());
}

TEST(QVConsentEngineFactory, ClearSessionKeepsOrRemovesRegistrationsAsAsked) {
    testsupport::ServiceHarness harness;
    auto engine = *QVConsentEngineFactory::initialise(QVAuthKey(primaryId)).get().data();
    auto delegate = std::make_shared<CountingDelegate>();
    int observed = 0;
    engine->addDelegate(1, delegate);
    engine->addObserver(2, std::any{}, [&](const auto&) { ++observed; });
    auto notify = [] {
        ConsentEventPoster::notify(*QVConsentEventManager::shared(), primaryId, "c", std::nullopt,
                                   QVConsentStatus::pending, QVDataMessage<QVConsentEvent::Records>(499, ""));
        platform::RunLoop::main().runPending();
    };

    QVConsentEngineFactory::clearSession(false);
    const auto cleared = QVConsentEngineFactory::currentEngine();
    EXPECT_EQ(cleared.code(), 400);
    EXPECT_EQ(cleared.msg(), "SDK Initialisation is pending...");
    EXPECT_FALSE(cleared.data());
    EXPECT_EQ(engine->getConsentStatus(primaryId).data(), QVConsentStatus::pending);
    EXPECT_EQ(engine->getLocale(primaryId).code(), 404) << "every keychain item is gone";
    notify();
    EXPECT_EQ(delegate->calls, 1);
    EXPECT_EQ(observed, 1);

    // Registrations made through an engine outlive a new initialisation.
    auto next = *QVConsentEngineFactory::initialise(QVAuthKey(primaryId)).get().data();
    EXPECT_NE(next, engine);
    notify();
    EXPECT_EQ(delegate->calls, 2);
    EXPECT_EQ(observed, 2);

    QVConsentEngineFactory::clearSession(true);
    notify();
    EXPECT_EQ(delegate->calls, 2);
    EXPECT_EQ(observed, 2);
}

// clearSession while a run is still in flight: whatever point the run has reached, the clear wins.
// The run answers the cleared state, stores no result over it and leaves nothing stored behind.
TEST(QVConsentEngineFactory, ClearSessionDuringARunWinsOverTheRun) {
    testsupport::ServiceHarness harness;
    sdkfakes::FakeVendorSdks sdks;  // present SDKs that need the tracking prompt
    InstalledPrompt installed(std::make_shared<HeldPrompt>());

    // After the run stored its engine, while it waits for the viewer's tracking answer.
    auto run = QVConsentEngineFactory::initialise(QVAuthKey(primaryId));
    installed.prompt->asked.task().get();
    EXPECT_EQ(QVConsentEngineFactory::currentEngine().code(), 200);
    QVConsentEngineFactory::clearSession(false);
    installed.prompt->answer.resolve(platform::TrackingAuthorization::Status::authorized);
    expectCleared(run.get());
    expectCleared(QVConsentEngineFactory::currentEngine());
    EXPECT_EQ(QVConsentEngineFactory::getLocale(primaryId).code(), 404) << "the run's document was cleared";
    const auto calls = sdks.calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "Airbridge.Airbridge clearUser") << "the adapters the run set up were cleared after it";

    // While the templates are still downloading: the banner request is held until the service stops.
    consentservice::ServiceFault held;
    held.kind = consentservice::ServiceFault::Kind::stall;
    harness.service().setFault(consentservice::ServiceEndpoint::bannerTemplate, held);
    const auto bannersBefore = harness.requestCount("/api/mobilebanner/");
    auto loading = QVConsentEngineFactory::initialise(QVAuthKey(primaryId));
    while (harness.requestCount("/api/mobilebanner/") == bannersBefore) std::this_thread::yield();
    QVConsentEngineFactory::clearSession(false);
    harness.service().stop();
    expectCleared(loading.get());
    expectCleared(QVConsentEngineFactory::currentEngine());
    EXPECT_EQ(QVConsentEngineFactory::getLocale(primaryId).code(), 404);
}

TEST(QVConsentEngineFactory, ATimeOutThatPassesCancelsTheRequestsAndChangesNothing) {
    using namespace std::chrono_literals;
    testsupport::ServiceHarness harness;
    // The viewer accepted on an earlier start; the template has since gained a package, so a
    // start that went through would ask for consent again.
    DataFactory::create();
    auto first = DataFactory::repository();
    ASSERT_EQ(first->initialise(QVAuthKey(primaryId)).get().code(), 200);
    const auto categories = (*first->getBannerData(primaryId).data())->categories;
    for (const auto& category : categories) {
        for (const auto& package : category->packages) package->setEnabled(true);
    }
    ASSERT_EQ(first->saveConsent(primaryId, categories, false).get().code(), 200);
    const auto storedBefore = first->getCollectedConsentInfo(primaryId).description();
    harness.addAnalyticsPackage(primaryId, "com.example.new-meter");
    sdkfakes::FakeVendorSdks sdks;

    consentservice::ServiceFault stall;
    stall.kind = consentservice::ServiceFault::Kind::stall;
    harness.service().setFault(consentservice::ServiceEndpoint::preferenceCenterTemplate, stall);
    const auto started = std::chrono::steady_clock::now();
    const auto late = QVConsentEngineFactory::initialise(QVAuthKey(primaryId), {}, 300ms).get();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s) << "the stalled request was cancelled";
    EXPECT_EQ(late.code(), 500);
    EXPECT_EQ(late.msg(), "SDK Initialisation timed out");
    EXPECT_EQ(late.error(), std::optional<std::string>("the templates did not arrive within 300 ms"));
    EXPECT_FALSE(late.data());
    EXPECT_FALSE(QVConsentEngineFactory::currentEngine().data());
    EXPECT_TRUE(sdks.calls().empty());
    const auto repository = DataFactory::repository();
    EXPECT_EQ(repository->getCollectedConsentInfo(primaryId).description(), storedBefore);
    EXPECT_EQ(repository->getConsentStatus(primaryId).data(), QVConsentStatus::collected);
    EXPECT_FALSE(repository->getConsentRecollectionReason(primaryId).data());

    // A time-out that does not pass changes nothing, and the run after a time-out starts afresh.
    harness.service().clearFaults();
    const auto inTime = QVConsentEngineFactory::initialise(QVAuthKey(primaryId), {}, 10s).get();
    EXPECT_EQ(inTime.code(), 200) << inTime.description();
    EXPECT_TRUE(inTime.data());
    EXPECT_FALSE(sdks.calls().empty());
    EXPECT_EQ(DataFactory::repository()->getConsentStatus(primaryId).data(), QVConsentStatus::recollectionRequired);
}
