#include "QVTVConsent/data/ConsentRepositoryImpl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "QVTVConsent/ServiceHarness.h"
#include "QVTVConsent/data/KeychainHelper.h"
#include "QVTVConsent/data/PrefsFactory.h"
#include "QVTVConsent/data/PrefsKeys.h"
#include "QVTVConsent/model/QVPackage.h"
#include "platform/DispatchQueue.h"
#include "platform/RunLoop.h"
#include "platform/SqliteConnection.h"

using namespace qvtv;
using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;

namespace {

const std::string primaryId = "demo-tv-app";
const std::string secondaryId = "demo-tv-app-kids";
const std::string documentPath = "/api/mobileconsent/dynamic";

struct RecordingDelegate : QVConsentEventDelegate {
    const std::string& applicationId() const override { return primaryId; }
    void onConsentAction(const QVDataMessage<QVConsentEvent>& data) override { received.push_back(data); }
    std::vector<QVDataMessage<QVConsentEvent>> received;
};

// An answer with exactly this code and message, and this error text when one is given.
::testing::AssertionResult answers(const QVMessage& answer, std::int64_t code, const std::string& msg,
                                   std::optional<std::string> error = std::nullopt) {
    if (answer.code() == code && answer.msg() == msg && (!error || answer.error() == error)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << answer.description();
}

ServiceFault fault(ServiceFault::Kind kind) {
    ServiceFault f;
    f.kind = kind;
    return f;
}

class ConsentRepositoryTest : public ::testing::Test {
protected:
    // What DataFactory::create() does at each initialisation run: a new store, a new repository.
    std::shared_ptr<ConsentRepositoryImpl> newRepository() {
        return std::make_shared<ConsentRepositoryImpl>(PrefsFactory::create(), events);
    }

    std::shared_ptr<ConsentRepositoryImpl> initialised(const QVAuthKey& key, std::int64_t expectedCode = 200) {
        auto repository = newRepository();
        const auto result = repository->initialise(key).get();
        EXPECT_EQ(result.code(), expectedCode) << result.description();
        return repository;
    }

    // What the banner's Accept does: every package of the categories switched on.
    static QVDataMessage<ConsentRepository::ConsentList> acceptAll(ConsentRepositoryImpl& repository,
                                                                  const std::string& id) {
        const auto banner = repository.getBannerData(id);
        EXPECT_TRUE(banner.data());
        for (const auto& category : (*banner.data())->categories) {
            for (const auto& package : category->packages) package->setEnabled(true);
        }
        return repository.saveConsent(id, (*banner.data())->categories, false).get();
    }

    // The stored state that a failure must never touch.
    struct Stored {
        std::string document;
        QVConsentStatus status;
        std::optional<std::int64_t> lastConsentedAt;
        friend bool operator==(const Stored&, const Stored&) = default;
    };
    static Stored stored(ConsentRepositoryImpl& repository, const std::string& id) {
        const auto document = repository.prefs()->getConsentRecord(id);
        return Stored{document ? document->toJson().dump() : "", repository.prefs()->getConsentStatus(id),
                      repository.prefs()->getLastConsentedAt(id)};
    }

    testsupport::ServiceHarness harness;
    std::shared_ptr<QVConsentEventManager> events = std::make_shared<QVConsentEventManager>();
};

} // namespace

TEST_F(ConsentRepositoryTest, FreshInstallFetchesAndStoresTheDocumentAndTheNextRunDoesNot) {
    auto first = initialised(QVAuthKey(primaryId, secondaryId));
    EXPECT_EQ(harness.requestCount(documentPath), 2u);
    EXPECT_EQ(harness.requestCount("/api/mobilebanner/template/"), 2u);
    EXPECT_EQ(harness.requestCount("/api/mobilepreferencecenter/template/" + secondaryId), 1u);
    for (const auto& id : {primaryId, secondaryId}) {
        EXPECT_TRUE(first->prefs()->getConsentRecord(id)) << id;
        EXPECT_TRUE(answers(first->getConsentStatus(id), 200, "Pending"));
        EXPECT_FALSE(first->prefs()->getConfigError(id));
    }
    EXPECT_EQ(first->getLocale(primaryId).data(), std::optional<std::string>("DE"));
    const auto clientId = first->getClientId(primaryId);
    ASSERT_TRUE(clientId.data());
    EXPECT_FALSE(clientId.data()->empty());

    harness.service().clearRequests();
    auto second = initialised(QVAuthKey(primaryId, secondaryId));
    EXPECT_EQ(harness.requestCount(documentPath), 0u) << "the stored document is used";
    EXPECT_EQ(harness.requestCount("/api/mobilebanner/template/"), 2u);
    EXPECT_EQ(second->getClientId(primaryId).data(), clientId.data());
    EXPECT_EQ(second->initialise(QVAuthKey(primaryId)).get().msg(), "SDK Initialised successfully");
}

TEST_F(ConsentRepositoryTest, QueriesAnswerWithTheirCodesBeforeAndAfterConsent) {
    auto repository = initialised(QVAuthKey(primaryId, secondaryId));
    const std::string pending = "Consent data not found! Pending Consent collection";
    EXPECT_TRUE(answers(repository->getLastConsentedAt(primaryId), 404, "Consent recollection required!"));
    EXPECT_TRUE(answers(repository->getConsentRecollectionReason(primaryId), 404, "Consent Recollection not required."));
    EXPECT_TRUE(answers(repository->getCollectedConsentInfo(primaryId), 404, pending));
    EXPECT_TRUE(answers(repository->getPackage(primaryId, "FirebaseAnalytics"), 404, pending));
    EXPECT_EQ(repository->getConsentType(primaryId).data(), QVConsentType::explicit_);
    EXPECT_EQ(repository->isGCMEnabled().data(), std::optional<bool>(true));
    const auto gcm = repository->getGCMData();
    EXPECT_EQ(gcm.code(), 200);
    EXPECT_EQ(gcm.data()->size(), 2u);
    EXPECT_TRUE(answers(repository->getAppliedGCMData(), 400, "Internal server error, please contact support (1015)"));
    EXPECT_TRUE(answers(repository->getLocale("nobody"), 404, "",
                        "Internal server error, please contact support (1014)"));
    EXPECT_TRUE(answers(repository->getConsentType("nobody"), 500,
                        "QVConsentEngine must be initialized before calling this API (1034)", "1034"));
    const auto noBanner = repository->getBannerData("nobody");
    EXPECT_EQ(noBanner.msg(), "QVConsentEngine must be initialized before calling this API (1032)");
    EXPECT_EQ(noBanner.error(), std::optional<std::string>("1032"));
    const auto noCenter = repository->getPreferenceCenterData("nobody");
    EXPECT_EQ(noCenter.msg(), "QVConsentEngine must be initialized before calling this API (1033)");
    EXPECT_TRUE(repository->getPreferenceCenterData(secondaryId).data());

    const auto saved = acceptAll(*repository, primaryId);
    EXPECT_EQ(saved.code(), 200) << saved.description();
    EXPECT_EQ(repository->getLastConsentedAt(primaryId).data(), harness.clock().clock().wallMillis());
    const auto firebase = repository->getPackage(primaryId, "FirebaseAnalytics");
    EXPECT_EQ(firebase.code(), 200);
    ASSERT_TRUE(firebase.data());
    EXPECT_TRUE((*firebase.data())->isEnabled());
    const auto unknown = repository->getPackage(primaryId, "not-a-package");
    EXPECT_EQ(unknown.code(), 200);
    EXPECT_FALSE(unknown.data());

    // Collected without a stored document or time: the internal failure numbers name the id's role.
    repository->prefs()->saveConsentStatus(secondaryId, QVConsentStatus::collected);
    KeychainHelper::shared()->remove(secondaryId + "_qv_dynamic");
    EXPECT_EQ(repository->getCollectedConsentInfo(secondaryId).msg(),
              "Internal server error, please contact support (1008)");
    EXPECT_EQ(repository->getLastConsentedAt(secondaryId).msg(),
              "Internal server error, please contact support (1030)");
    const auto noDocument = repository->saveConsent(secondaryId, {}, false).get();
    EXPECT_EQ(noDocument.msg(), "QVConsentEngine must be initialized before calling this API (1018)");
    EXPECT_EQ(noDocument.error(), std::optional<std::string>("1018"));
    repository->prefs()->saveConsentStatus(secondaryId, QVConsentStatus::recollectionRequired);
    EXPECT_EQ(repository->getLastConsentedAt(secondaryId).code(), 1029);
    EXPECT_EQ(repository->getConsentRecollectionReason(secondaryId).msg(),
              "Internal server error, please contact support (1031)");
}

TEST_F(ConsentRepositoryTest, ConsentModeConfigurationGoesWithTheTemplateThatHadIt) {
    const auto original = harness.readFixture(primaryId, "banner.json");
    auto storedConfig = [&](const nlohmann::json& banner) {
        harness.writeFixture(primaryId, "banner.json", banner);
        return initialised(QVAuthKey(primaryId))->prefs()->getConsentModeConfig(primaryId);
    };
    ASSERT_TRUE(storedConfig(original));

    auto switchedOff = original;
    switchedOff["GCMEnabled"] = false;
    EXPECT_FALSE(storedConfig(switchedOff)) << "consent mode switched off, settings still listed";
    // What the first application and the host read now.
    auto repository = initialised(QVAuthKey(primaryId));
    EXPECT_EQ(repository->getGCMData().code(), 500);
    EXPECT_EQ(repository->isGCMEnabled().data(), std::optional<bool>(false));

    ASSERT_TRUE(storedConfig(original));
    auto withoutSettings = original;
    withoutSettings.erase("GCMSettings");
    EXPECT_FALSE(storedConfig(withoutSettings)) << "consent mode on, no settings listed";
}

TEST_F(ConsentRepositoryTest, BlankPrimaryIdIsRefusedWithoutARequestAndStoredAsConfigurationError) {
    auto repository = initialised(QVAuthKey(" \n"), 409);
    const auto error = repository->prefs()->getConfigError(" \n");
    ASSERT_TRUE(error);
    EXPECT_TRUE(answers(*error, 409, "Invalid Primary Application Id: Optional(\" \n\")"));
    EXPECT_TRUE(harness.service().requests().empty());
    EXPECT_EQ(repository->isGCMEnabled().code(), 500);
}

TEST_F(ConsentRepositoryTest, NoTemplatesAnswerFailsTheLoadAndLeavesNothingStored) {
    harness.service().setFault(ServiceEndpoint::bannerTemplate, fault(ServiceFault::Kind::noTemplatesText));
    auto repository = newRepository();
    EXPECT_TRUE(answers(repository->initialise(QVAuthKey(primaryId)).get(), 500, "No associated legal templates found"));
    const auto error = repository->prefs()->getConfigError(primaryId);
    ASSERT_TRUE(error);
    EXPECT_TRUE(answers(*error, 500, "No associated legal templates found"));
    EXPECT_FALSE(repository->prefs()->getConsentRecord(primaryId)) << "the fetched document is dropped";

    // A later successful load clears the stored error.
    harness.service().clearFaults();
    auto recovered = initialised(QVAuthKey(primaryId));
    EXPECT_FALSE(recovered->prefs()->getConfigError(primaryId));
}

TEST_F(ConsentRepositoryTest, SecondaryAbsentOrFailingLeavesThePrimaryWorking) {
    auto onlyPrimary = initialised(QVAuthKey(primaryId));
    EXPECT_FALSE(onlyPrimary->containerFor(secondaryId));
    EXPECT_FALSE(onlyPrimary->prefs()->getConfigError(""));
    EXPECT_EQ(harness.requestCount(documentPath), 1u);

    auto failing = initialised(QVAuthKey(primaryId, std::string("unknown-tv-app")));
    const auto error = failing->prefs()->getConfigError("unknown-tv-app");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), 409);
    EXPECT_FALSE(error->msg().empty());
    EXPECT_FALSE(failing->containerFor("unknown-tv-app"));
    EXPECT_TRUE(failing->getBannerData(primaryId).data());
    EXPECT_EQ(failing->getBannerData("unknown-tv-app").code(), 500);
}

TEST_F(ConsentRepositoryTest, SavingAcceptAndRejectAllSendsAndStoresTheChoice) {
    auto repository = initialised(QVAuthKey(primaryId));
    repository->prefs()->saveRecollectionReason(primaryId, QVConsentRecollectionReason::expired);
    const auto accepted = acceptAll(*repository, primaryId);
    ASSERT_EQ(accepted.code(), 200) << accepted.description();
    EXPECT_EQ(repository->getConsentStatus(primaryId).data(), QVConsentStatus::collected);
    EXPECT_FALSE(repository->prefs()->getConsentRecollectionReason(primaryId));
    auto sent = harness.service().submissions(ServiceEndpoint::consent);
    ASSERT_EQ(sent.size(), 1u);
    auto body = nlohmann::json::parse(sent[0].body);
    EXPECT_EQ(body["ScreenURI"], "Application");
    EXPECT_EQ(body["MobileApplicationId"], primaryId);
    EXPECT_EQ(body["SDKVersion"], "0.1.6-beta");
    EXPECT_EQ(body["ClientSessionId"], repository->prefs()->getClientId(primaryId));
    EXPECT_EQ(body["ClientId"], *repository->getClientId(primaryId).data());
    for (const auto& category : body["AllConsents"]) EXPECT_EQ(category["ConsentGiven"], "All") << category.dump();

    harness.clock().setWallMillis(harness.clock().clock().wallMillis() + 5000);
    const auto rejected = repository->saveConsent(primaryId, (*repository->getBannerData(primaryId).data())->categories,
                                                  true).get();
    ASSERT_EQ(rejected.code(), 200);
    sent = harness.service().submissions(ServiceEndpoint::consent);
    ASSERT_EQ(sent.size(), 2u);
    body = nlohmann::json::parse(sent[1].body);
    for (const auto& category : body["AllConsents"]) {
        const bool essential = category["MobileComplianceCategory"] == "Essential";
        EXPECT_EQ(category["ConsentGiven"], essential ? "All" : "None");
        for (const auto& package : category["MobilePackageConsents"]) EXPECT_EQ(package["IsEnabled"], essential);
    }
    for (const auto& category : (*repository->getBannerData(primaryId).data())->categories) {
        EXPECT_EQ(category->isEnabled, category->type == QVCategoryType::essential);
    }
    EXPECT_EQ(repository->getLastConsentedAt(primaryId).data(), harness.clock().clock().wallMillis());
    EXPECT_EQ(repository->getPackage(primaryId, "FirebaseAnalytics").data().value()->isEnabled(), false);
}

// The template objects on screen belong to the main queue: a save that rejects all resets their
// flags there, never on the task that saves, and before anything the screen queues afterwards.
TEST_F(ConsentRepositoryTest, RejectAllResetsTheShownTemplateOnTheMainQueue) {
    auto repository = initialised(QVAuthKey(primaryId));
    const auto banner = *repository->getBannerData(primaryId).data();
    for (const auto& category : banner->categories) {
        category->isEnabled = true;
        for (const auto& package : category->packages) package->setEnabled(true);
    }
    ASSERT_EQ(repository->saveConsent(primaryId, banner->categories, true).get().code(), 200);
    for (const auto& category : banner->categories) EXPECT_TRUE(category->isEnabled) << "changed off the main queue";

    bool reset = false;
    platform::DispatchQueue::main().async([&] {
        reset = std::ranges::all_of(banner->categories, [](const auto& category) {
            return category->isEnabled == (category->type == QVCategoryType::essential);
        });
    });
    platform::RunLoop::main().runPending();
    EXPECT_TRUE(reset) << "the screen's next job sees the reset flags";
    std::size_t essential = 0;
    for (const auto& category : banner->categories) {
        const bool on = category->type == QVCategoryType::essential;
        essential += on;
        for (const auto& package : category->packages) EXPECT_EQ(package->isEnabled(), on) << package->packageId();
    }
    EXPECT_LT(essential, banner->categories.size()) << "the fixture has categories to switch off";
}

TEST_F(ConsentRepositoryTest, DoNotStoreConsentSavesOnTheDeviceOnly) {
    auto repository = initialised(QVAuthKey("demo-tv-advanced"));
    EXPECT_EQ(repository->doNotStoreConsent("demo-tv-advanced"), std::optional<bool>(true));
    const auto saved = acceptAll(*repository, "demo-tv-advanced");
    EXPECT_EQ(saved.code(), 200);
    EXPECT_TRUE(harness.service().submissions(ServiceEndpoint::consent).empty());
    EXPECT_EQ(repository->getConsentStatus("demo-tv-advanced").data(), QVConsentStatus::collected);
    EXPECT_EQ(repository->getLastConsentedAt("demo-tv-advanced").data(), harness.clock().clock().wallMillis());
}

TEST_F(ConsentRepositoryTest, RefusedOrFailedSavesAndInitialisationsChangeNothingStored) {
    auto repository = initialised(QVAuthKey(primaryId));
    // A first choice that the service fails with an empty answer is not collected.
    const auto pending = stored(*repository, primaryId);
    harness.service().setFault(ServiceEndpoint::consent, fault(ServiceFault::Kind::http500));
    const auto failed = acceptAll(*repository, primaryId);
    EXPECT_TRUE(answers(failed, 500, "Internal server error, please contact support"));
    EXPECT_FALSE(failed.data());
    EXPECT_EQ(stored(*repository, primaryId), pending);
    EXPECT_EQ(pending.status, QVConsentStatus::pending);
    EXPECT_FALSE(pending.lastConsentedAt);
    harness.service().clearFaults();

    ASSERT_EQ(acceptAll(*repository, primaryId).code(), 200);
    harness.clock().setWallMillis(harness.clock().clock().wallMillis() + 60'000);
    const auto before = stored(*repository, primaryId);

    harness.service().setFault(ServiceEndpoint::consent, fault(ServiceFault::Kind::responseStatusError));
    const auto refused = repository->saveConsent(primaryId, (*repository->getBannerData(primaryId).data())->categories,
                                                 true).get();
    EXPECT_TRUE(answers(refused, 409, "Injected service error"));
    EXPECT_FALSE(refused.data());
    EXPECT_EQ(stored(*repository, primaryId), before);

    harness.service().setFault(ServiceEndpoint::consent, fault(ServiceFault::Kind::dropConnection));
    const auto dropped = repository->saveConsent(primaryId, (*repository->getBannerData(primaryId).data())->categories,
                                                 true).get();
    EXPECT_EQ(dropped.code(), 500);
    EXPECT_EQ(dropped.msg().rfind("Internal server error, please contact support: ", 0), 0u) << dropped.msg();
    EXPECT_EQ(stored(*repository, primaryId), before);

    // A failed initialisation of the same id leaves the stored consent alone as well.
    harness.service().setFault(ServiceEndpoint::preferenceCenterTemplate, fault(ServiceFault::Kind::bareArray));
    EXPECT_TRUE(answers(newRepository()->initialise(QVAuthKey(primaryId)).get(), 500,
                        "Internal server error, please contact support"));
    EXPECT_EQ(stored(*repository, primaryId), before);
}

TEST_F(ConsentRepositoryTest, TemplateThatGainedAPackageAsksForConsentAgain) {
    auto repository = initialised(QVAuthKey(primaryId));
    ASSERT_EQ(acceptAll(*repository, primaryId).code(), 200);
    const auto firebaseBefore = repository->getPackage(primaryId, "FirebaseAnalytics");
    ASSERT_TRUE(firebaseBefore.data());

    auto delegate = std::make_shared<RecordingDelegate>();
    events->addDelegate(4, delegate);
    std::vector<QVDataMessage<QVConsentEvent>> observed;
    events->addObserver(9, std::any{}, [&](const QVDataMessage<QVConsentEvent>& m) { observed.push_back(m); });
    harness.addAnalyticsPackage(primaryId, "com.example.newmeter");

    auto next = initialised(QVAuthKey(primaryId));
    EXPECT_EQ(next->getConsentStatus(primaryId).msg(), "RecollectionRequired");
    EXPECT_EQ(next->getConsentRecollectionReason(primaryId).data(), QVConsentRecollectionReason::structureChanged);
    ASSERT_EQ(delegate->received.size(), 1u);
    const auto& event = *delegate->received[0].data();
    EXPECT_EQ(event.code(), 4);
    EXPECT_EQ(event.applicationId(), primaryId);
    EXPECT_FALSE(event.type());
    EXPECT_EQ(event.consentStatus(), QVConsentStatus::recollectionRequired);
    EXPECT_FALSE(event.data().empty()) << "the stored choices travel with the event";
    platform::RunLoop::main().runUntil([&] { return !observed.empty(); });
    ASSERT_EQ(observed.size(), 1u);
    EXPECT_EQ(observed[0].data()->code(), 200);

    // The banner shows the stored choices, and the new package off.
    const auto banner = next->getBannerData(primaryId);
    for (const auto& category : (*banner.data())->categories) {
        for (const auto& package : category->packages) {
            if (category->type == QVCategoryType::essential) continue;
            EXPECT_EQ(package->isEnabled(), package->packageId() != "com.example.newmeter") << package->packageId();
        }
    }
}

TEST_F(ConsentRepositoryTest, ConsentOlderThanTheRetentionPeriodIsCollectedAgain) {
    auto repository = initialised(QVAuthKey(primaryId));
    ASSERT_EQ(acceptAll(*repository, primaryId).code(), 200);
    auto delegate = std::make_shared<RecordingDelegate>();
    events->addDelegate(1, delegate);

    // Eleven months on nothing changes; thirteen months on (retention 12) consent has expired.
    harness.clock().setWallMillis(harness.clock().clock().wallMillis() + 11LL * 30 * 86'400'000);
    auto stillValid = initialised(QVAuthKey(primaryId));
    EXPECT_EQ(stillValid->getConsentStatus(primaryId).data(), QVConsentStatus::collected);
    EXPECT_TRUE(delegate->received.empty());

    harness.clock().setWallMillis(harness.clock().clock().wallMillis() + 2LL * 30 * 86'400'000);
    auto expired = initialised(QVAuthKey(primaryId));
    EXPECT_EQ(expired->getConsentStatus(primaryId).data(), QVConsentStatus::recollectionRequired);
    EXPECT_EQ(expired->getConsentRecollectionReason(primaryId).data(), QVConsentRecollectionReason::expired);
    EXPECT_EQ(expired->getCollectedConsentInfo(primaryId).msg(), "Consent recollection required!");
    EXPECT_TRUE(expired->prefs()->getConsentRecord(primaryId)->subConsents().empty());
    ASSERT_EQ(delegate->received.size(), 1u);
    EXPECT_TRUE(delegate->received[0].data()->data().empty());

    // A new choice brings the id back to collected without a reason.
    ASSERT_EQ(acceptAll(*expired, primaryId).code(), 200);
    EXPECT_EQ(expired->getConsentStatus(primaryId).data(), QVConsentStatus::collected);
    EXPECT_EQ(expired->getConsentRecollectionReason(primaryId).code(), 404);
}

namespace {

// The client id a document request of `applicationId` carried, empty when there was none.
std::string sentClientId(testsupport::ServiceHarness& harness, const std::string& applicationId) {
    for (const auto& request : harness.service().requests()) {
        if (request.path != documentPath || request.query.find("MobileApplicationId=" + applicationId + "&") ==
                                                std::string::npos) {
            continue;
        }
        const auto start = request.query.find("ClientSessionId=") + std::string_view("ClientSessionId=").size();
        return request.query.substr(start, request.query.find('&', start) - start);
    }
    return "";
}

bool waitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace

// A fresh install's ids are written while the first requests are out, and the answer waits for that.
TEST_F(ConsentRepositoryTest, NewClientIdsTravelWhileTheirWriteWaitsAndTheAnswerWaitsForIt) {
    auto prefs = PrefsFactory::create();
    ASSERT_TRUE(prefs->inOneCommit([] {}));  // waits for the store's record of the run, which makes the file
    platform::SqliteConnection other;
    ASSERT_EQ(other.open(KeychainHelper::shared()->file(), "SELECT 1"), 0);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), 0);  // another process's write holds the keychain
    auto repository = std::make_shared<ConsentRepositoryImpl>(prefs, events);
    auto started = repository->initialise(QVAuthKey(primaryId, secondaryId));

    ASSERT_TRUE(waitFor([&] { return harness.requestCount("/api/mobilepreferencecenter/template/") == 2; }));
    const auto primaryClientId = sentClientId(harness, primaryId);
    const auto secondaryClientId = sentClientId(harness, secondaryId);
    EXPECT_EQ(primaryClientId.size(), 36u);
    EXPECT_EQ(secondaryClientId.size(), 36u);
    EXPECT_FALSE(started.waitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(200)))
        << "answered before the ids were stored";

    ASSERT_EQ(other.exec("COMMIT"), 0);
    EXPECT_EQ(started.get().code(), 200);
    KeychainHelper keychain(KeychainHelper::shared()->file());
    EXPECT_EQ(keychain.get(PrefsKeys::identity(primaryId)), primaryClientId);
    EXPECT_EQ(keychain.get(PrefsKeys::identity(secondaryId)), secondaryClientId);
    EXPECT_TRUE(keychain.get(PrefsKeys::dynamic(secondaryId)));
}

TEST_F(ConsentRepositoryTest, ClientIdWhoseWriteFailsWhileItsRequestIsOutStaysTheOneSent) {
    auto prefs = PrefsFactory::create();
    ASSERT_TRUE(prefs->inOneCommit([] {}));
    const auto file = KeychainHelper::shared()->file();
    platform::SqliteConnection other;
    ASSERT_EQ(other.open(file, "SELECT 1"), 0);
    ASSERT_EQ(other.exec("CREATE TRIGGER refuse BEFORE INSERT ON items WHEN NEW.account LIKE '%_qv_identity' "
                         "BEGIN SELECT RAISE(ABORT, 'no'); END"),
              0);
    auto repository = std::make_shared<ConsentRepositoryImpl>(prefs, events);
    ASSERT_EQ(repository->initialise(QVAuthKey(primaryId)).get().code(), 200);

    const auto sent = sentClientId(harness, primaryId);
    ASSERT_EQ(sent.size(), 36u);
    EXPECT_FALSE(KeychainHelper(file).get(PrefsKeys::identity(primaryId)));
    EXPECT_TRUE(KeychainHelper(file).get(PrefsKeys::dynamic(primaryId))) << "the document is stored all the same";
    EXPECT_EQ(repository->prefs()->getClientId(primaryId), sent) << "held, not made anew";

    // A choice sent later carries the same id, and the id is stored once the keychain takes it.
    ASSERT_EQ(other.exec("DROP TRIGGER refuse"), 0);
    ASSERT_EQ(acceptAll(*repository, primaryId).code(), 200);
    const auto saved = harness.service().submissions(ServiceEndpoint::consent);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(nlohmann::json::parse(saved[0].body)["ClientSessionId"], sent);
    EXPECT_EQ(KeychainHelper(file).get(PrefsKeys::identity(primaryId)), sent);
}

// What a load leaves on the device is committed in one go: a refused write keeps every old value.
TEST_F(ConsentRepositoryTest, AFailedCommitAfterTheLoadsLeavesThePreviousStoredValues) {
    auto repository = initialised(QVAuthKey(primaryId, secondaryId));
    ASSERT_EQ(acceptAll(*repository, primaryId).code(), 200);
    const auto before = stored(*repository, primaryId);
    const auto secondaryBefore = stored(*repository, secondaryId);
    // Past the retention period the next load would mark consent expired and empty the document.
    harness.clock().setWallMillis(harness.clock().clock().wallMillis() + 13LL * 30 * 86'400'000);
    platform::SqliteConnection other;
    ASSERT_EQ(other.open(KeychainHelper::shared()->file(), "SELECT 1"), 0);
    ASSERT_EQ(other.exec("CREATE TRIGGER refuse BEFORE INSERT ON items WHEN NEW.account = 'demo-tv-app_qv_dynamic' "
                         "BEGIN SELECT RAISE(ABORT, 'no'); END"),
              0);

    auto next = initialised(QVAuthKey(primaryId, secondaryId));
    EXPECT_EQ(stored(*next, primaryId), before);
    EXPECT_EQ(stored(*next, secondaryId), secondaryBefore);
    EXPECT_FALSE(next->prefs()->getConsentRecollectionReason(primaryId)) << "the reason went with the refused document";

    ASSERT_EQ(other.exec("DROP TRIGGER refuse"), 0);
    auto later = initialised(QVAuthKey(primaryId, secondaryId));
    EXPECT_EQ(later->getConsentStatus(primaryId).data(), QVConsentStatus::recollectionRequired);
    EXPECT_EQ(later->getConsentRecollectionReason(primaryId).data(), QVConsentRecollectionReason::expired);
}
