#pragma once
// The keychain as the consent library uses it: one text value per key (the item's account),
// generic-password items of this app only. It never throws and reports nothing to callers;
// failures are logged at error level under "KeychainHelper" with the keychain status number.
//
//   auto keychain = qvtv::KeychainHelper::shared();
//   keychain->save("1.0", "qv_language");
//   std::optional<std::string> lang = keychain->get("qv_language");

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/KeyValueStore.h"

namespace qvtv {

class KeychainHelper {
public:
    // The helper over platform::Paths::keychainFile(), re-opened when that path changes.
    static std::shared_ptr<KeychainHelper> shared();
    explicit KeychainHelper(std::filesystem::path file);

    // Replaces any item with that key; true when the value is stored. Text that is not UTF-8 is
    // not stored (and not logged).
    bool save(std::string_view value, std::string_view key);
    std::optional<std::string> get(std::string_view key);
    // The non-empty value stored under `key`, else a new one from `make`, stored at once. When the
    // keychain refuses that write (locked by another process, say) the new value is kept in memory
    // and answered again, and each later call tries to store it without waiting on the lock, so an
    // identity handed out once stays the same for the process. A new value is made only when the
    // keychain shows none stored: when it cannot be read there is no answer (unless one is held),
    // since a new value would stand in for, and later replace, the stored one. Thread-safe.
    std::optional<std::string> getOrCreate(std::string_view key, const std::function<std::string()>& make);
    // getOrCreate in two steps, so a caller can use a new value while it is being written: the
    // first answers as getOrCreate does but only holds a new value in memory (getOrCreate answers
    // it too); the second writes the held value, if there is one and the keychain showed none
    // stored at the last look. False when a held value could not be stored (it stays held).
    std::optional<std::string> getOrHold(std::string_view key, const std::function<std::string()>& make);
    bool storeHeld(std::string_view key);
    // Also forgets a value `getOrCreate` still holds for the key.
    void remove(std::string_view key);
    // Deletes every generic-password item of this app, not only the library's keys, and forgets
    // the values `getOrCreate` still holds.
    void clearAll();

    // Runs `writes`, committing what they save and remove in the keychain all at once, or none of
    // it, with one disk sync (see KeyValueStore::inOneTransaction); false, logged, when the commit
    // failed. A value getOrCreate makes inside counts as stored before the commit, so make it outside.
    bool inOneCommit(const std::function<void()>& writes);

    const std::filesystem::path& file() const { return store_.file(); }

private:
    // A value made by getOrHold that the keychain has not taken yet.
    struct Held {
        std::string value;
        bool storable = true;  // the keychain showed none stored at the last look
        bool tried = false;    // a write was attempted (retries do not wait on a lock)
    };

    bool save(std::string_view value, std::string_view key, platform::KeyValueStore::IfLocked ifLocked);
    std::optional<std::string> holdLocked(std::string_view key, const std::function<std::string()>& make);
    bool storeHeldLocked(std::string_view key);

    platform::KeyValueStore store_;
    // Always taken before the store's own lock, never after: a commit holds the store's lock
    // while its writes reach remove(), so it takes this one first (hence recursive).
    std::recursive_mutex unstoredMutex_;
    std::map<std::string, Held, std::less<>> unstored_;
};

} // namespace qvtv
