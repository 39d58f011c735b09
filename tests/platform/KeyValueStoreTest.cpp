#include "platform/KeyValueStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/Paths.h"
#include "platform/SqliteConnection.h"
#include "support/ScopedDataDirectory.h"
#include "support/TempDir.h"

using platform::KeyValueStore;
using Status = KeyValueStore::Status;
using platform::SqliteConnection;

TEST(KeyValueStore, SavesReplacesAndRemovesWithKeychainStatusCodes) {
    testsupport::TempDir dir;
    KeyValueStore store(dir.path() / "sub" / "kc.sqlite", "genp");

    auto missing = store.get("a");
    EXPECT_EQ(missing.status, Status::itemNotFound);
    EXPECT_EQ(KeyValueStore::code(missing.status), -25300);
    EXPECT_FALSE(missing.value);

    EXPECT_EQ(store.save("a", "first"), Status::success);
    EXPECT_EQ(store.save("a", "second"), Status::success);
    EXPECT_EQ(store.get("a").value, "second");
    EXPECT_EQ(store.save("empty", ""), Status::success);
    EXPECT_EQ(store.get("empty").value, "");
    EXPECT_EQ(store.save("bytes", std::string("a\0b\xff", 4)), Status::success);
    EXPECT_EQ(store.get("bytes").value, std::string("a\0b\xff", 4));

    EXPECT_EQ(store.remove("a"), Status::success);
    EXPECT_EQ(store.remove("a"), Status::itemNotFound);
    EXPECT_FALSE(store.get("a").value);
}

TEST(KeyValueStore, SurvivesReopenAndKeepsFilesPrivate) {
    testsupport::TempDir dir;
    auto file = dir.path() / "kc.sqlite";
    {
        KeyValueStore store(file, "genp");
        ASSERT_EQ(store.save("k", "v"), Status::success);
    }
    KeyValueStore reopened(file, "genp");
    EXPECT_EQ(reopened.get("k").value, "v");
    EXPECT_TRUE(reopened.checkIntegrity());
    for (const char* suffix : {"", "-wal", "-shm"}) {
        struct stat st {};
        auto path = file.string() + suffix;
        ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << path;
    }
}

TEST(KeyValueStore, StoresCreatingOneNewFileAtOnceAllKeepTheirWrites) {
    // A new file is built aside and linked into place; one that another store linked first must
    // be used, never replaced, or the writes already made in it would vanish.
    testsupport::TempDir dir;
    const auto file = dir.path() / "new" / "kc.sqlite";
    constexpr int kStores = 4;
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int i = 0; i < kStores; ++i) {
        threads.emplace_back([&, i] {
            KeyValueStore store(file, "genp");
            if (store.save("k" + std::to_string(i), "v") != Status::success) ++failures;
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures, 0);
    KeyValueStore reader(file, "genp");
    for (int i = 0; i < kStores; ++i) EXPECT_EQ(reader.get("k" + std::to_string(i)).value, "v") << i;
    EXPECT_TRUE(reader.checkIntegrity());
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        EXPECT_EQ(entry.path().filename().string().find(".new-"), std::string::npos) << "left behind: " << entry.path();
    }
}

TEST(KeyValueStore, AStoreNeverWrittenHasNoFileUntilItsFirstSave) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "sub" / "kc.sqlite";
    KeyValueStore store(file, "genp");
    EXPECT_EQ(store.get("k").status, Status::itemNotFound);
    EXPECT_EQ(store.remove("k"), Status::itemNotFound);
    EXPECT_EQ(store.removeAll(), Status::itemNotFound);
    EXPECT_TRUE(store.checkIntegrity());
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));

    // The first save creates the file with its item; a store opened meanwhile sees it at once.
    KeyValueStore other(file, "genp");
    EXPECT_FALSE(other.get("k").value);
    ASSERT_EQ(store.save("k", "v"), Status::success);
    EXPECT_EQ(other.get("k").value, "v");
    EXPECT_EQ(store.get("k").value, "v");
}

TEST(KeyValueStore, OpeningRemovesWhatCreationsKilledBeforeLinkingLeftBehind) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "kc.sqlite";
    pid_t dead = fork();
    ASSERT_GE(dead, 0);
    if (dead == 0) _exit(0);
    ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
    const std::string ofDead = "kc.sqlite.new-" + std::to_string(dead) + "-3";
    const std::string ofLive = "kc.sqlite.new-" + std::to_string(::getppid()) + "-0";
    const std::string oldOfLive = "kc.sqlite.new-" + std::to_string(::getpid()) + "-9";
    const std::vector<std::string> stale = {ofDead, ofDead + "-journal", ofDead + "-wal", ofDead + "-shm", oldOfLive};
    // A creation still running elsewhere, another store's leftovers and names that only look alike.
    const std::vector<std::string> kept = {ofLive, ofLive + "-wal", "other.sqlite.new-" + std::to_string(dead) + "-1",
                                           "kc.sqlite.new-" + std::to_string(dead), "kc.sqlite.new-notes"};
    auto leave = [&] {
        for (const auto& name : stale) std::ofstream(dir.path() / name) << "x";
        for (const auto& name : kept) std::ofstream(dir.path() / name) << "x";
        std::filesystem::last_write_time(dir.path() / oldOfLive,
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    };
    auto expectCleaned = [&](const char* when) {
        for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(dir.path() / name)) << when << ": " << name;
        for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(dir.path() / name)) << when << ": " << name;
    };

    leave();
    ASSERT_EQ(KeyValueStore(file, "genp").save("k", "v"), Status::success);
    expectCleaned("creating");
    leave();
    EXPECT_EQ(KeyValueStore(file, "genp").get("k").value, "v");
    expectCleaned("opening");
}

TEST(KeyValueStore, ACallThatMayNotWaitGivesUpAtOnceOnALock) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "kc.sqlite";
    KeyValueStore store(file, "genp");
    ASSERT_EQ(store.save("k", "v1"), Status::success);
    // Another connection in the middle of a write keeps others from writing, not from reading.
    SqliteConnection other;
    ASSERT_EQ(other.open(file, "SELECT 1"), 0);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(store.save("k", "v2", KeyValueStore::IfLocked::fail), Status::interactionNotAllowed);
    // Far below the usual wait for a lock.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(SqliteConnection::lockWaitMs / 2));
    EXPECT_EQ(store.get("k", KeyValueStore::IfLocked::fail).value, "v1");
    ASSERT_EQ(other.exec("COMMIT"), 0);
    EXPECT_EQ(store.save("k", "v2", KeyValueStore::IfLocked::fail), Status::success);
    EXPECT_EQ(store.get("k").value, "v2");
}

TEST(KeyValueStore, RemoveAllTouchesOnlyItsOwnDomain) {
    testsupport::TempDir dir;
    auto file = dir.path() / "kc.sqlite";
    KeyValueStore ours(file, "genp");
    KeyValueStore theirs(file, "other-group");
    ASSERT_EQ(ours.save("a", "1"), Status::success);
    ASSERT_EQ(ours.save("b", "2"), Status::success);
    ASSERT_EQ(theirs.save("a", "kept"), Status::success);

    EXPECT_EQ(ours.removeAll(), Status::success);
    EXPECT_EQ(ours.removeAll(), Status::itemNotFound);
    EXPECT_FALSE(ours.get("a").value);
    EXPECT_EQ(theirs.get("a").value, "kept");
}

TEST(KeyValueStore, SavingTheValueItHoldsWritesNothingUnlessAnotherConnectionChangedIt) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "kc.sqlite";
    const auto wal = dir.path() / "kc.sqlite-wal";
    KeyValueStore store(file, "genp");
    KeyValueStore other(file, "genp");
    ASSERT_EQ(store.save("k", "v1"), Status::success);
    const auto walSize = std::filesystem::file_size(wal);

    // Every commit appends to the write-ahead log; an unchanged value adds nothing to it.
    EXPECT_EQ(store.save("k", "v1"), Status::success);
    EXPECT_EQ(std::filesystem::file_size(wal), walSize);

    // Once another connection changed the item, the same save is a change again and is written.
    ASSERT_EQ(other.save("k", "v2"), Status::success);
    EXPECT_EQ(store.save("k", "v1"), Status::success);
    EXPECT_EQ(other.get("k").value, "v1");
    EXPECT_EQ(KeyValueStore(file, "genp").get("k").value, "v1");

    // Despite its read cache, a connection sees another's writes and removals.
    EXPECT_EQ(store.save("e", ""), Status::success);
    EXPECT_EQ(other.get("e").value, "");
    ASSERT_EQ(store.remove("k"), Status::success);
    EXPECT_FALSE(other.get("k").value);
}

TEST(KeyValueStore, ATransactionKeepsAllItsWritesOrNone) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "kc.sqlite";
    KeyValueStore store(file, "genp");
    KeyValueStore other(file, "genp");

    // With no file yet, the writes go in with the file itself.
    EXPECT_EQ(store.inOneTransaction([&] {
        EXPECT_EQ(store.save("a", "1"), Status::success);
        EXPECT_EQ(store.save("b", "2"), Status::success);
    }), Status::success);
    EXPECT_EQ(other.get("b").value, "2");

    // Inside, this store reads its own writes; others see them only once committed.
    EXPECT_EQ(store.inOneTransaction([&] {
        EXPECT_EQ(store.save("a", "10"), Status::success);
        EXPECT_EQ(store.remove("b"), Status::success);
        EXPECT_EQ(store.remove("missing"), Status::itemNotFound);
        EXPECT_EQ(store.inOneTransaction([&] { EXPECT_EQ(store.save("c", "3"), Status::success); }), Status::success);
        EXPECT_EQ(store.get("a").value, "10");
        EXPECT_FALSE(store.get("b").value);
        EXPECT_EQ(other.get("a").value, "1");
        EXPECT_EQ(other.get("b").value, "2");
    }), Status::success);
    EXPECT_EQ(other.get("a").value, "10");
    EXPECT_FALSE(other.get("b").value);
    EXPECT_EQ(other.get("c").value, "3");

    // One refused write and nothing of the transaction is kept, on disk or in the read cache.
    SqliteConnection raw;
    ASSERT_EQ(raw.open(file, "SELECT 1"), 0);
    ASSERT_EQ(raw.exec("CREATE TRIGGER refuse BEFORE INSERT ON items WHEN NEW.account = 'z' "
                       "BEGIN SELECT RAISE(ABORT, 'no'); END"), 0);
    EXPECT_NE(store.inOneTransaction([&] {
        (void)store.save("a", "11");
        (void)store.remove("c");
        (void)store.save("z", "refused");
    }), Status::success);
    EXPECT_EQ(store.get("a").value, "10");
    EXPECT_EQ(store.get("c").value, "3");
    EXPECT_FALSE(store.get("z").value);
    EXPECT_EQ(KeyValueStore(file, "genp").get("a").value, "10");

    // Removing everything inside a transaction, then writing again.
    EXPECT_EQ(store.inOneTransaction([&] {
        EXPECT_EQ(store.removeAll(), Status::success);
        EXPECT_FALSE(store.get("a").value);
        EXPECT_EQ(store.save("e", "5"), Status::success);
    }), Status::success);
    EXPECT_FALSE(other.get("a").value);
    EXPECT_FALSE(other.get("c").value);
    EXPECT_EQ(other.get("e").value, "5");
}

TEST(KeyValueStore, ReportsUnusableFilesAsStatusesNotCrashes) {
    testsupport::TempDir dir;
    // A folder where the file should be cannot be opened as a store.
    std::filesystem::create_directories(dir.path() / "isdir");
    KeyValueStore blocked(dir.path() / "isdir", "genp");
    EXPECT_EQ(blocked.save("k", "v"), Status::notAvailable);
    EXPECT_EQ(blocked.get("k").status, Status::notAvailable);

    auto garbage = dir.path() / "garbage.sqlite";
    {
        FILE* f = std::fopen(garbage.c_str(), "wb");
        std::string junk(8192, 'x');
        std::fwrite(junk.data(), 1, junk.size(), f);
        std::fclose(f);
    }
    KeyValueStore damaged(garbage, "genp");
    EXPECT_EQ(damaged.get("k").status, Status::decode);
    EXPECT_EQ(KeyValueStore::code(damaged.save("k", "v")), -26275);
}

TEST(Paths, DataDirectoryKeepsKeychainAndUserDefaultsApart) {
    testsupport::ScopedDataDirectory paths("/data/app");
    EXPECT_EQ(platform::Paths::keychainFile(), "/data/app/keychain/keychain.sqlite");
    EXPECT_EQ(platform::Paths::userDefaultsFile(), "/data/app/app/user-defaults.sqlite");
    platform::Paths::setKeychainFile("/elsewhere/kc.sqlite");
    EXPECT_EQ(platform::Paths::keychainFile(), "/elsewhere/kc.sqlite");
}
