#pragma once
// A durable string key-value store in its own SQLite file, the stand-in for the keychain and for
// user defaults. Items belong to a domain (the keychain's item class and group), so `removeAll`
// only touches this store's items. Every successful write is on disk when the call returns (the
// writes of a transaction, when it returns).
// Results are status values numbered like the keychain's, so log lines read the familiar way.
//
//   platform::KeyValueStore store(platform::Paths::keychainFile(), "genp");
//   if (store.save("k", "v") != platform::KeyValueStore::Status::success) ...
//   auto found = store.get("k");   // found.value == "v"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class KeyValueStore {
public:
    enum class Status : int {
        success = 0,
        io = -36,                     // the disk failed or is full
        param = -50,                  // a key or value the store cannot hold
        notAvailable = -25291,        // the store file cannot be opened
        itemNotFound = -25300,
        interactionNotAllowed = -25308,  // another process holds the store locked
        decode = -26275,              // the file is not a store or is damaged
        internal = -2070,
    };

    // What a call does when another connection holds the store locked: wait a while for it
    // (SqliteConnection::lockWaitMs) or answer interactionNotAllowed at once, as a retry may.
    enum class IfLocked { wait, fail };

    struct Lookup {
        Status status = Status::itemNotFound;
        std::optional<std::string> value;
    };

    // Opening is lazy: the file is created on first use, so construction never fails and an
    // unavailable file is reported by each operation instead.
    KeyValueStore(std::filesystem::path file, std::string domain);
    ~KeyValueStore();
    KeyValueStore(const KeyValueStore&) = delete;
    KeyValueStore& operator=(const KeyValueStore&) = delete;

    [[nodiscard]] Lookup get(std::string_view key, IfLocked ifLocked = IfLocked::wait);
    // Replaces any item with that key in one durable transaction; saving the value the item
    // already holds writes nothing.
    [[nodiscard]] Status save(std::string_view key, std::string_view value, IfLocked ifLocked = IfLocked::wait);
    // itemNotFound when there was nothing to remove.
    [[nodiscard]] Status remove(std::string_view key);
    // Removes every item of this store's domain; itemNotFound when there was none.
    [[nodiscard]] Status removeAll();
    // Runs `writes`, and the saves and removals they make on this store (from this thread) are
    // committed together when they return: stored all at once or not at all, with one disk sync
    // instead of one per write. Inside, reads see those writes, each write answers as if it were
    // made (success, or itemNotFound for a removal of nothing) and the answer for the whole lies
    // with the returned status. Other threads' calls on the store wait until the commit. A
    // transaction inside another one joins it and answers success.
    [[nodiscard]] Status inOneTransaction(const std::function<void()>& writes);
    // SQLite's integrity check of the whole file.
    [[nodiscard]] bool checkIntegrity();

    const std::filesystem::path& file() const;
    static int code(Status status) { return static_cast<int>(status); }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
