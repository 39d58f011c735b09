#include "QVTVConsent/data/KeychainHelper.h"

#include <gtest/gtest.h>

#include <string>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "QVTVConsent/core/QVLogger.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

class KeychainHelperTest : public ::testing::Test {
protected:
    testsupport::ScopedLogSwitches logs_{{.error = true}};

    testsupport::TempDir dir_;
    testsupport::LogCapture log_;
};

} // namespace

TEST_F(KeychainHelperTest, LogsEveryOutcomeWithTheKeychainStatus) {
    qvtv::KeychainHelper keychain(dir_.path() / "keychain.sqlite");
    EXPECT_FALSE(keychain.get("missing"));
    keychain.remove("missing");
    keychain.clearAll();
    keychain.save("v", "k");
    EXPECT_EQ(keychain.get("k"), "v");
    keychain.clearAll();
    EXPECT_EQ(log_.lines(), (std::vector<std::string>{
                                "[ERROR] KeychainHelper: Something went wrong, Unable to fetch value from Keychain: -25300",
                                "[ERROR] KeychainHelper: Unable to delete from Keychain: -25300",
                                "[ERROR] KeychainHelper: Error deleting session data: -25300",
                                "[ERROR] KeychainHelper: Saved in Keychain: 0",
                                "[ERROR] KeychainHelper: Session data deleted successfully.",
                            }));

    // Values are never part of a line, and with error logging off nothing is written.
    log_.clear();
    keychain.save("secret-client-id", "k");
    EXPECT_FALSE(log_.containsSubstring("secret-client-id"));
    qvtv::QVLogger::ERROR_LOGS_ENABLED = false;
    log_.clear();
    EXPECT_FALSE(keychain.get("missing"));
    keychain.remove("missing");
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(KeychainHelperTest, FailedSavesAreLoggedAndTextThatIsNotUtf8IsRefusedSilently) {
    std::filesystem::create_directories(dir_.path() / "folder");
    qvtv::KeychainHelper unusable(dir_.path() / "folder");
    unusable.save("v", "k");
    EXPECT_TRUE(log_.contains("[ERROR] KeychainHelper: Something went wrong, Unable to save in Keychain: -25291"));

    qvtv::KeychainHelper keychain(dir_.path() / "keychain.sqlite");
    keychain.save("kept", "k");
    log_.clear();
    keychain.save("\xff\xfe", "k");
    EXPECT_TRUE(log_.lines().empty());
    EXPECT_EQ(keychain.get("k"), "kept");
}

TEST_F(KeychainHelperTest, ACommitMayRemoveValuesThatGetOrCreateMade) {
    // getOrCreate takes the held values' lock and then the store's; the removals inside a commit
    // run while the store holds its own. Under ThreadSanitizer, running each once shows whether
    // the two locks are always taken in one order (two threads could otherwise deadlock).
    qvtv::KeychainHelper keychain(dir_.path() / "keychain.sqlite");
    EXPECT_EQ(keychain.getOrCreate("client", [] { return std::string("new-id"); }), "new-id");
    EXPECT_EQ(keychain.getOrHold("held", [] { return std::string("held-id"); }), "held-id");
    EXPECT_TRUE(keychain.inOneCommit([&] {
        keychain.save("1.0", "qv_language");
        keychain.remove("client");
        keychain.remove("held");
    }));
    EXPECT_EQ(keychain.get("qv_language"), "1.0");
    EXPECT_FALSE(keychain.get("client"));
    EXPECT_TRUE(keychain.storeHeld("held"));  // nothing held any more, so nothing written
    EXPECT_FALSE(keychain.get("held"));
}
