#pragma once
// The keychain as the consent library uses it: one text value per key (the item's account),
// generic-password items of this app only. It never throws and reports nothing to callers;
// failures are logged at error level under "KeychainHelper" with the keychain status number.
//
//   auto keychain = qvtv::KeychainHelper::shared();
//   keychain->save("1.0", "qv_language");
//   std::optional<std::string> lang = keychain->get("qv_language");

#include <filesystem>
#include <memory>
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

    // Replaces any item with that key. Text that is not UTF-8 is not stored (and not logged).
    void save(std::string_view value, std::string_view key);
    std::optional<std::string> get(std::string_view key);
    void remove(std::string_view key);
    // Deletes every generic-password item of this app, not only the library's keys.
    void clearAll();

    const std::filesystem::path& file() const { return store_.file(); }

private:
    platform::KeyValueStore store_;
};

} // namespace qvtv
