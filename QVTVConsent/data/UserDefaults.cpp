#include "QVTVConsent/data/UserDefaults.h"

#include <mutex>

#include "platform/NoDestructor.h"
#include "platform/Paths.h"

namespace qvtv {

std::shared_ptr<UserDefaults> UserDefaults::standard() {
    static std::mutex mutex;
    static platform::NoDestructor<std::shared_ptr<UserDefaults>> current;
    auto file = platform::Paths::userDefaultsFile();
    std::lock_guard lock(mutex);
    if (!*current || (*current)->file() != file) *current = std::make_shared<UserDefaults>(file);
    return *current;
}

UserDefaults::UserDefaults(std::filesystem::path file) : store_(std::move(file), "standard") {}

std::optional<nlohmann::json> UserDefaults::object(std::string_view key) {
    auto found = store_.get(key);
    if (!found.value) return std::nullopt;
    auto value = nlohmann::json::parse(*found.value, nullptr, false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

std::optional<std::string> UserDefaults::string(std::string_view key) {
    auto value = object(key);
    if (!value || !value->is_string()) return std::nullopt;
    return value->get<std::string>();
}

void UserDefaults::set(std::string_view key, const nlohmann::json& value) {
    // User defaults report nothing to their callers; a failed write shows as a missing value later.
    (void)store_.save(key, value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

void UserDefaults::remove(std::string_view key) { (void)store_.remove(key); }

} // namespace qvtv
