#include "QVTVConsent/data/PrefsImpl.h"

#include <gtest/gtest.h>

#include <chrono>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "QVTVConsent/data/PrefsFactory.h"
#include "QVTVConsent/data/PrefsKeys.h"
#include "platform/DeviceInfo.h"
#include "platform/Locale.h"
#include "platform/SqliteConnection.h"
#include "support/LogCapture.h"
#include "support/ScopedDataDirectory.h"
#include "support/TempDir.h"

using qvtv::QVConsentStatus;
using qvtv::QVConsentRecollectionReason;
using Json = nlohmann::json;

namespace {

const std::string app = "demo-tv-app";
const std::string kids = "demo-tv-app-kids";

std::shared_ptr<qvtv::QVDynamic> document(const std::string& clientId, bool analytics) {
    return *qvtv::QVDynamic::fromJson(Json{
        {"location", "EU"},
        {"autoClientId", clientId},
        {"isConsentRecordingAllowed", true},
        {"MobilePackageConsents",
         Json::array({{{"MobileComplianceCategory", "Analytics"},
                       {"ConsentGiven", analytics ? "All" : "None"},
                       {"MobilePackageConsents",
                        Json::array({{{"PackageName", "Firebase"}, {"PackageId", "FirebaseAnalytics"},
                                      {"IsEnabled", analytics}}})}}})}});
}

class PrefsImplTest : public ::testing::Test {
protected:
    PrefsImplTest() {
        platform::DeviceInfo::setAppShortVersion("2.0");
        platform::Locale::setCurrent(platform::Locale::parse("de_AT.UTF-8"));
    }
    ~PrefsImplTest() override {
        platform::DeviceInfo::setAppShortVersion(std::nullopt);
        platform::Locale::setCurrent(std::nullopt);
    }

    std::shared_ptr<qvtv::KeychainHelper> keychain() { return qvtv::KeychainHelper::shared(); }
    std::shared_ptr<qvtv::UserDefaults> defaults() { return qvtv::UserDefaults::standard(); }

    testsupport::TempDir dir_;
    testsupport::ScopedDataDirectory paths_{dir_.path()};
    testsupport::ScopedLogSwitches logs_{{}};
};

} // namespace

TEST_F(PrefsImplTest, FreshInstallWipesTheKeychainAndLaterRunsKeepIt) {
    keychain()->save("Collected", qvtv::PrefsKeys::consentStatus(app));  // left by an earlier install
    testsupport::ScopedLogSwitches logs({.error = true});
    testsupport::LogCapture log;
    auto prefs = qvtv::PrefsFactory::create();
    EXPECT_TRUE(log.contains("[ERROR] KeychainHelper: Session data deleted successfully."));
    EXPECT_EQ(prefs->getConsentStatus(app), QVConsentStatus::pending);
    EXPECT_EQ(prefs->getLanguage(), "de");

    // The run is recorded in the background, but before any write lands.
    prefs->saveConsentStatus(app, QVConsentStatus::collected);
    EXPECT_EQ(defaults()->string("qv_version_of_last_run"), "2.0");
    EXPECT_EQ(keychain()->get("qv_language"), "de");
    log.clear();
    auto second = qvtv::PrefsFactory::create();
    EXPECT_FALSE(log.containsSubstring("Session data deleted"));
    EXPECT_EQ(second->getConsentStatus(app), QVConsentStatus::collected);
}

TEST_F(PrefsImplTest, StoreMadeWhileTheLastOneStillRecordsTheRunIsNoFreshInstall) {
    auto first = qvtv::PrefsFactory::create();
    keychain()->save("Collected", qvtv::PrefsKeys::consentStatus(app));  // not through a store: no wait
    auto second = qvtv::PrefsFactory::create();
    EXPECT_EQ(second->getConsentStatus(app), QVConsentStatus::collected);
}

TEST_F(PrefsImplTest, UpgradeFromTheOldVersionKeyKeepsConsentButOnlyWhenItIsText) {
    keychain()->save("Collected", qvtv::PrefsKeys::consentStatus(app));
    keychain()->save("fr", "qv_language");
    defaults()->set("VersionOfLastRun", "1.4");
    auto prefs = qvtv::PrefsFactory::create();
    EXPECT_EQ(prefs->getConsentStatus(app), QVConsentStatus::collected);
    EXPECT_EQ(prefs->getLanguage(), "fr");
    prefs.reset();  // its record of the run is on the disk once it is gone
    EXPECT_EQ(keychain()->get("qv_language"), "fr");

    defaults()->remove("qv_version_of_last_run");
    defaults()->set("VersionOfLastRun", 14);  // present, but not a string: counts as a fresh install
    auto wiped = qvtv::PrefsFactory::create();
    EXPECT_EQ(wiped->getConsentStatus(app), QVConsentStatus::pending);
}

TEST_F(PrefsImplTest, HostWithoutVersionOrLanguageStillStartsAndKeepsConsent) {
    platform::DeviceInfo::setAppShortVersion(std::nullopt);
    platform::Locale::setCurrent(platform::Locale{});
    auto prefs = qvtv::PrefsFactory::create();
    EXPECT_EQ(prefs->getLanguage(), "EN");
    prefs->saveConsentStatus(app, QVConsentStatus::collected);
    EXPECT_EQ(defaults()->string("qv_version_of_last_run"), "");
    EXPECT_EQ(keychain()->get("qv_language"), "EN");
    EXPECT_EQ(qvtv::PrefsFactory::create()->getConsentStatus(app), QVConsentStatus::collected);
}

TEST_F(PrefsImplTest, TypedReadsAreExactAndFallBackToTheirDefaults) {
    auto prefs = qvtv::PrefsFactory::create();
    auto kc = keychain();
    EXPECT_EQ(prefs->getConsentStatus(app), QVConsentStatus::pending);
    kc->save("collected", qvtv::PrefsKeys::consentStatus(app));
    EXPECT_EQ(prefs->getConsentStatus(app), QVConsentStatus::pending);
    prefs->saveConsentStatus(app, QVConsentStatus::recollectionRequired);
    EXPECT_EQ(kc->get(qvtv::PrefsKeys::consentStatus(app)), "RecollectionRequired");
    EXPECT_EQ(prefs->getConsentStatus(app), QVConsentStatus::recollectionRequired);

    EXPECT_FALSE(prefs->getLastConsentedAt(app));
    prefs->saveLastConsentedAt(app, 1700000000123);
    EXPECT_EQ(prefs->getLastConsentedAt(app), 1700000000123);
    kc->save("+12", qvtv::PrefsKeys::lastConsentedAt(app));
    EXPECT_EQ(prefs->getLastConsentedAt(app), 12);
    for (const char* bad : {"", "12.5", " 12", "yesterday"}) {
        kc->save(bad, qvtv::PrefsKeys::lastConsentedAt(app));
        EXPECT_FALSE(prefs->getLastConsentedAt(app)) << bad;
    }

    prefs->saveRecollectionReason(app, QVConsentRecollectionReason::structureChanged);
    EXPECT_EQ(kc->get(qvtv::PrefsKeys::recollectionReason(app)), "structure_changed");
    EXPECT_EQ(prefs->getConsentRecollectionReason(app), QVConsentRecollectionReason::structureChanged);
    kc->save("Expired", qvtv::PrefsKeys::recollectionReason(app));
    EXPECT_FALSE(prefs->getConsentRecollectionReason(app));
    prefs->saveRecollectionReason(app, std::nullopt);
    EXPECT_FALSE(kc->get(qvtv::PrefsKeys::recollectionReason(app)));
}

TEST_F(PrefsImplTest, RecordsAreStoredAsPrettyJsonAndUnreadableOnesAreNone) {
    auto prefs = qvtv::PrefsFactory::create();
    auto kc = keychain();
    testsupport::ScopedLogSwitches logs({.error = true});
    testsupport::LogCapture log;
    EXPECT_EQ(prefs->getConsentRecord(app), nullptr);
    EXPECT_TRUE(log.contains("[ERROR] QVDynamic: parse(nil)"));

    auto stored = document("CLIENT-1", true);
    prefs->saveConsentRecord(app, *stored);
    EXPECT_EQ(kc->get(qvtv::PrefsKeys::dynamic(app)), stored->toJson().dump(2));
    auto read = prefs->getConsentRecord(app);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->toJson(), stored->toJson());

    kc->save("[1, 2]", qvtv::PrefsKeys::dynamic(app));
    log.clear();
    EXPECT_EQ(prefs->getConsentRecord(app), nullptr);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"[ERROR] Prefs: parse([1,2])"});
    kc->save("{not json", qvtv::PrefsKeys::dynamic(app));
    EXPECT_EQ(prefs->getConsentRecord(app), nullptr);

    EXPECT_FALSE(prefs->getAppliedGCMData());
    kc->save(R"({"region": "DE", "consent_data": [{"signal": "ad_storage", "status": "granted"}]})",
             "applied_gcm_data");
    auto applied = prefs->getAppliedGCMData();
    ASSERT_TRUE(applied);
    EXPECT_EQ(applied->region, "DE");
    ASSERT_EQ(applied->consentData.size(), 1u);
    applied->region = "AT";
    prefs->saveAppliedGCMData(*applied);
    EXPECT_EQ(prefs->getAppliedGCMData(), applied);
    EXPECT_EQ(kc->get("applied_gcm_data"), applied->toJson().dump(2)) << "pretty-printed like every stored record";
}

TEST_F(PrefsImplTest, ApplicationIdsKeepSeparateEntriesExceptAppliedGcmData) {
    auto prefs = qvtv::PrefsFactory::create();
    prefs->saveConsentStatus(app, QVConsentStatus::collected);
    prefs->saveLastConsentedAt(app, 5);
    prefs->saveRecollectionReason(app, QVConsentRecollectionReason::expired);
    prefs->saveConsentRecord(app, *document("CLIENT-1", true));
    prefs->saveConfigError(app, qvtv::QVMessage(409, "Invalid"));
    prefs->saveConsentModeConfig(app, qvtv::QVConsentModeConfigData{});

    EXPECT_EQ(prefs->getConsentStatus(kids), QVConsentStatus::pending);
    EXPECT_FALSE(prefs->getLastConsentedAt(kids));
    EXPECT_FALSE(prefs->getConsentRecollectionReason(kids));
    EXPECT_EQ(prefs->getConsentRecord(kids), nullptr);
    EXPECT_FALSE(prefs->getConfigError(kids));
    EXPECT_FALSE(prefs->getConsentModeConfig(kids));
    EXPECT_NE(prefs->getClientId(app), prefs->getClientId(kids));

    keychain()->save(R"({"region": "DE", "consent_data": []})", "applied_gcm_data");
    EXPECT_TRUE(prefs->getAppliedGCMData());  // one entry for the device, whatever the id
}

TEST_F(PrefsImplTest, ClientIdIsMadeOnceAndRemadeWhenEmpty) {
    auto prefs = qvtv::PrefsFactory::create();
    const auto id = prefs->getClientId(app);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->size(), 36u);
    EXPECT_EQ(id->find_first_of("abcdef"), std::string::npos);
    EXPECT_EQ(prefs->getClientId(app), id);
    EXPECT_EQ(qvtv::PrefsFactory::create()->getClientId(app), id);

    keychain()->save("", qvtv::PrefsKeys::identity(app));
    const auto remade = prefs->getClientId(app);
    ASSERT_TRUE(remade);
    EXPECT_EQ(remade->size(), 36u);
    EXPECT_EQ(keychain()->get(qvtv::PrefsKeys::identity(app)), remade);
}

TEST_F(PrefsImplTest, ClientIdStaysTheSameWhileTheKeychainRefusesWritesAndIsStoredLater) {
    // Another process's trigger makes every write into the keychain fail; reads still work.
    const auto file = dir_.path() / "refusing.sqlite";
    auto refusing = std::make_shared<qvtv::KeychainHelper>(file);
    ASSERT_TRUE(refusing->save("EN", "qv_language"));
    platform::SqliteConnection other;
    ASSERT_EQ(other.open(file, "SELECT 1"), 0);
    ASSERT_EQ(other.exec("CREATE TRIGGER refuse BEFORE INSERT ON items BEGIN SELECT RAISE(ABORT, 'no'); END"), 0);
    qvtv::PrefsImpl prefs(refusing, defaults());

    const auto id = prefs.getClientId(app);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->size(), 36u);
    EXPECT_EQ(prefs.getClientId(app), id);
    EXPECT_NE(prefs.getClientId(kids), id);
    // The next initialisation makes a new store over the same keychain.
    EXPECT_EQ(qvtv::PrefsImpl(refusing, defaults()).getClientId(app), id);
    EXPECT_FALSE(refusing->get(qvtv::PrefsKeys::identity(app)));

    // Locked by another process's write, the keychain still refuses; retrying to store the held
    // id gives up at once instead of waiting on the lock each time.
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), 0);
    ASSERT_EQ(other.exec("DROP TRIGGER refuse"), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(prefs.getClientId(app), id);
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(platform::SqliteConnection::lockWaitMs / 2));
    ASSERT_EQ(other.exec("COMMIT"), 0);
    other = platform::SqliteConnection();

    EXPECT_EQ(prefs.getClientId(app), id);
    EXPECT_EQ(qvtv::KeychainHelper(file).get(qvtv::PrefsKeys::identity(app)), id) << "stored once it could be";

    // Clearing the session forgets an id that was never stored as well.
    ASSERT_EQ(other.open(file, "SELECT 1"), 0);
    ASSERT_EQ(other.exec("CREATE TRIGGER refuse BEFORE INSERT ON items BEGIN SELECT RAISE(ABORT, 'no'); END"), 0);
    const auto kidsId = prefs.getClientId(kids);
    prefs.clearSession();
    EXPECT_NE(prefs.getClientId(kids), kidsId);
}

TEST_F(PrefsImplTest, ClientIdIsNeverMadeAnewWhileTheStoredOneCannotBeRead) {
    // A folder where the store's file should be: it can be neither read nor written.
    const auto file = dir_.path() / "unreadable.sqlite";
    std::filesystem::create_directories(file / "in-the-way");
    auto unreadable = std::make_shared<qvtv::KeychainHelper>(file);
    qvtv::PrefsImpl prefs(unreadable, defaults());
    EXPECT_FALSE(prefs.getClientId(app));
    EXPECT_FALSE(prefs.getClientId(app));

    // Readable again, the stored id is the answer; nothing replaced it meanwhile.
    std::filesystem::remove_all(file);
    ASSERT_TRUE(qvtv::KeychainHelper(file).save("5A0C6F7E-0D8B-4C39-9E39-2B7D1F6A2C11", qvtv::PrefsKeys::identity(app)));
    EXPECT_EQ(prefs.getClientId(app), "5A0C6F7E-0D8B-4C39-9E39-2B7D1F6A2C11");

    // An id another process stored wins over one this process still holds unstored.
    platform::SqliteConnection other;
    ASSERT_EQ(other.open(file, "SELECT 1"), 0);
    ASSERT_EQ(other.exec("CREATE TRIGGER refuse BEFORE INSERT ON items BEGIN SELECT RAISE(ABORT, 'no'); END"), 0);
    const auto held = prefs.getClientId(kids);
    ASSERT_TRUE(held);
    ASSERT_EQ(other.exec("DROP TRIGGER refuse"), 0);
    ASSERT_EQ(other.exec("INSERT INTO items VALUES ('genp', 'demo-tv-app-kids_qv_identity', 'FROM-ELSEWHERE')"), 0);
    EXPECT_EQ(prefs.getClientId(kids), "FROM-ELSEWHERE");
}

TEST_F(PrefsImplTest, MigrationMovesLegacyValuesOverCurrentOnes) {
    auto prefs = qvtv::PrefsFactory::create();
    auto kc = keychain();
    prefs->saveConsentStatus(app, QVConsentStatus::pending);
    kc->save("Collected", app + "_qv_consent_status_EU");
    kc->save(R"({"region": "EU", "consent_data": []})", "applied_gcm_data_EU");
    kc->save("42", app + "_qv_last_consented_at_EU");
    kc->save("expired", app + "_qv_consent_recollection_reason_EU");
    kc->save("Collected", kids + "_qv_consent_status_EU");

    prefs->migrateLegacyKeys(app, "EU");
    EXPECT_EQ(prefs->getConsentStatus(app), QVConsentStatus::collected);
    EXPECT_EQ(prefs->getAppliedGCMData()->region, "EU");
    EXPECT_EQ(prefs->getLastConsentedAt(app), 42);
    EXPECT_EQ(prefs->getConsentRecollectionReason(app), QVConsentRecollectionReason::expired);
    for (const std::string& legacy : {app + "_qv_consent_status_EU", std::string("applied_gcm_data_EU"),
                                      app + "_qv_last_consented_at_EU", app + "_qv_consent_recollection_reason_EU"}) {
        EXPECT_FALSE(kc->get(legacy)) << legacy;
    }
    EXPECT_EQ(prefs->getConsentStatus(kids), QVConsentStatus::pending);  // another id's legacy key stays
    EXPECT_TRUE(kc->get(kids + "_qv_consent_status_EU"));
}

TEST_F(PrefsImplTest, ClearSessionForgetsEverythingAndLogsNoSecrets) {
    auto prefs = qvtv::PrefsFactory::create();
    testsupport::ScopedLogSwitches logs({.info = true, .warning = true, .error = true});
    testsupport::LogCapture log;
    const std::string clientId = prefs->getClientId(app).value_or("");
    prefs->saveConsentRecord(app, *document("AUTO-CLIENT-7", true));
    (void)prefs->getConsentRecord(app);
    prefs->saveConsentStatus(app, QVConsentStatus::collected);
    prefs->clearSession();
    EXPECT_EQ(prefs->getConsentStatus(app), QVConsentStatus::pending);
    EXPECT_EQ(prefs->getConsentRecord(app), nullptr);
    EXPECT_NE(prefs->getClientId(app), clientId);
    EXPECT_FALSE(defaults()->string("qv_version_of_last_run"));  // the next store sees a fresh install
    for (const auto& line : log.lines()) {
        EXPECT_EQ(line.find(clientId), std::string::npos) << line;
        EXPECT_EQ(line.find("AUTO-CLIENT-7"), std::string::npos) << line;
        EXPECT_EQ(line.find("Firebase"), std::string::npos) << line;
    }
}
