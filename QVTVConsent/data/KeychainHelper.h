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
    // Also forgets a value `getOrCreate` still holds for the key.
    void remove(std::string_view key);
    // Deletes every generic-password item of this app, not only the library's keys, and forgets
    // the values `getOrCreate` still holds.
    void clearAll();

    const std::filesystem::path& file() const { return store_.file(); }

private:
    bool save(std::string_view value, std::string_view key, platform::KeyValueStore::IfLocked ifLocked);

    platform::KeyValueStore store_;
    // Values made by getOrCreate that the keychain has not taken yet.
    std::mutex unstoredMutex_;
    std::map<std::string, std::string, std::less<>> unstored_;
};

} // namespace qvtv
