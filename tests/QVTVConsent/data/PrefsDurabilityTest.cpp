// A writer killed at a random moment must leave a store that opens, passes SQLite's integrity
// check and holds the last consent document whose save returned (or the one in flight).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "QVTVConsent/data/PrefsImpl.h"
#include "platform/KeyValueStore.h"
#include "support/TempDir.h"

namespace {

const std::string app = "demo-tv-app";

std::shared_ptr<qvtv::QVDynamic> documentNumbered(long long n) {
    return *qvtv::QVDynamic::fromJson(nlohmann::json{{"location", "EU"},
                                                     {"autoClientId", std::to_string(n)},
                                                     {"MobilePackageConsents", nlohmann::json::array()}});
}

[[noreturn]] void saveForever(const std::filesystem::path& dir, long long first, int out) {
    qvtv::PrefsImpl prefs(std::make_shared<qvtv::KeychainHelper>(dir / "keychain.sqlite"),
                          std::make_shared<qvtv::UserDefaults>(dir / "defaults.sqlite"));
    // Tells the parent the store is open, so its random kill falls among the saves.
    long long ready = 0;
    if (write(out, &ready, sizeof ready) != sizeof ready) _exit(1);
    for (long long n = first;; ++n) {
        prefs.saveConsentRecord(app, *documentNumbered(n));
        if (write(out, &n, sizeof n) != sizeof n) _exit(1);
    }
}

} // namespace

TEST(PrefsDurability, KilledWriterLeavesAnIntactStoreWithTheLastReturnedSave) {
    testsupport::TempDir dir;
    // A fixed number of rounds from a fixed seed: the kill lands after 0, 1 or 2 saves have
    // returned, then a little later still, so some kills fall mid-save and some between saves.
    constexpr int rounds = 24;
    std::mt19937 random(17);
    std::uniform_int_distribution<int> extraDelayUs(0, 5000);
    // The newest value known to be durable: the last save that returned, or what the store held
    // after the previous kill (a save may commit and be killed before it returns).
    long long known = 0;
    int savesReturned = 0;
    for (int round = 0; round < rounds; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        long long first = (round + 1) * 1'000'000LL;
        // The child opens stores of its own. The parent's pool threads do not exist there, so
        // the store's record of the run is done by the first save, which waits on it.
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            saveForever(dir.path(), first, fds[1]);
        }
        close(fds[1]);
        long long n = 0;
        ASSERT_EQ(read(fds[0], &n, sizeof n), static_cast<ssize_t>(sizeof n));
        long long inFlight = first;
        for (int returned = 0; returned < round % 3; ++returned) {
            ASSERT_EQ(read(fds[0], &n, sizeof n), static_cast<ssize_t>(sizeof n));
            known = n;
            inFlight = n + 1;
            ++savesReturned;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(extraDelayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        while (read(fds[0], &n, sizeof n) == sizeof n) {
            known = n;
            inFlight = n + 1;
            ++savesReturned;
        }
        close(fds[0]);

        platform::KeyValueStore raw(dir.path() / "keychain.sqlite", "genp");
        ASSERT_TRUE(raw.checkIntegrity()) << "round " << round;
        qvtv::KeychainHelper keychain(dir.path() / "keychain.sqlite");
        auto text = keychain.get(app + "_qv_dynamic");
        if (!text) {
            EXPECT_EQ(known, 0) << "round " << round << ": a returned save was lost";
            continue;
        }
        auto stored = std::stoll(nlohmann::json::parse(*text)["autoClientId"].get<std::string>());
        EXPECT_TRUE(stored == known || stored == inFlight)
            << "round " << round << ": stored " << stored << ", known " << known << ", in flight " << inFlight;
        known = stored;
    }
    EXPECT_GE(savesReturned, rounds);  // the rounds wait for 0, 1 and 2 returned saves in turn
}
