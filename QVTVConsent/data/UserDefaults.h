#pragma once
// The app's user defaults: JSON values by key in a store inside the app's own data folder, which
// a removal of the app wipes (unlike the keychain). Values keep their kind, so a reader can tell
// a string from any other object.
//
//   auto defaults = qvtv::UserDefaults::standard();
//   defaults->set("qv_version_of_last_run", "2.4.1");
//   std::optional<std::string> v = defaults->string("qv_version_of_last_run");

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/KeyValueStore.h"

namespace qvtv {

class UserDefaults {
public:
    // The store at platform::Paths::userDefaultsFile(), re-opened when that path changes.
    static std::shared_ptr<UserDefaults> standard();
    explicit UserDefaults(std::filesystem::path file);

    // Any value; none when missing or unreadable.
    std::optional<nlohmann::json> object(std::string_view key);
    // The value only when it is a string.
    std::optional<std::string> string(std::string_view key);
    void set(std::string_view key, const nlohmann::json& value);
    void remove(std::string_view key);

    const std::filesystem::path& file() const { return store_.file(); }

private:
    platform::KeyValueStore store_;
};

} // namespace qvtv
