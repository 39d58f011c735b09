#include "QVTVConsent/data/KeychainHelper.h"

#include <mutex>

#include "QVTVConsent/data/Utf8.h"
#include "QVTVConsent/core/QVLogger.h"
#include "platform/NoDestructor.h"
#include "platform/Paths.h"

namespace qvtv {
namespace {

constexpr std::string_view tag = "KeychainHelper";
// The keychain item class every item of the library belongs to.
constexpr std::string_view genericPassword = "genp";

void logStatus(std::string_view message, platform::KeyValueStore::Status status) {
    // The line is composed only when it will be written: reads of missing keys are frequent.
    if (!QVLogger::ERROR_LOGS_ENABLED.load(std::memory_order_relaxed)) return;
    QVLogger::e(tag, std::string(message) + std::to_string(platform::KeyValueStore::code(status)));
}

} // namespace

std::shared_ptr<KeychainHelper> KeychainHelper::shared() {
    static std::mutex mutex;
    static platform::NoDestructor<std::shared_ptr<KeychainHelper>> current;
    auto file = platform::Paths::keychainFile();
    std::lock_guard lock(mutex);
    if (!*current || (*current)->file() != file) *current = std::make_shared<KeychainHelper>(file);
    return *current;
}

KeychainHelper::KeychainHelper(std::filesystem::path file) : store_(std::move(file), std::string(genericPassword)) {}

bool KeychainHelper::save(std::string_view value, std::string_view key) {
    return save(value, key, platform::KeyValueStore::IfLocked::wait);
}

bool KeychainHelper::save(std::string_view value, std::string_view key, platform::KeyValueStore::IfLocked ifLocked) {
    if (!Utf8::isValid(value)) return false;
    auto status = store_.save(key, value, ifLocked);
    if (status == platform::KeyValueStore::Status::success) {
        logStatus("Saved in Keychain: ", status);
        return true;
    }
    logStatus("Something went wrong, Unable to save in Keychain: ", status);
    return false;
}

std::optional<std::string> KeychainHelper::get(std::string_view key) {
    auto found = store_.get(key);
    if (found.value && Utf8::isValid(*found.value)) return std::move(found.value);
    // Bytes that are not text count as "not data", as the keychain reports them.
    auto status = found.value ? platform::KeyValueStore::Status::decode : found.status;
    logStatus("Something went wrong, Unable to fetch value from Keychain: ", status);
    return std::nullopt;
}

std::optional<std::string> KeychainHelper::getOrCreate(std::string_view key,
                                                       const std::function<std::string()>& make) {
    // One caller at a time, so two threads asking for a missing value never make two.
    std::lock_guard lock(unstoredMutex_);
    auto value = holdLocked(key, make);
    (void)storeHeldLocked(key);
    return value;
}

std::optional<std::string> KeychainHelper::getOrHold(std::string_view key, const std::function<std::string()>& make) {
    std::lock_guard lock(unstoredMutex_);
    return holdLocked(key, make);
}

bool KeychainHelper::storeHeld(std::string_view key) {
    std::lock_guard lock(unstoredMutex_);
    return storeHeldLocked(key);
}

std::optional<std::string> KeychainHelper::holdLocked(std::string_view key, const std::function<std::string()>& make) {
    using Status = platform::KeyValueStore::Status;
    auto held = unstored_.find(key);
    // The first look waits on a lock like any keychain call; a retry of a held value does not.
    const auto ifLocked = held == unstored_.end() ? platform::KeyValueStore::IfLocked::wait
                                                  : platform::KeyValueStore::IfLocked::fail;
    auto found = store_.get(key, ifLocked);
    if (found.value && !found.value->empty() && Utf8::isValid(*found.value)) {
        // Another process stored one meanwhile: the keychain's value is the identity from now on.
        if (held != unstored_.end()) unstored_.erase(held);
        return std::move(found.value);
    }
    // Found empty or not text counts as none stored, as the keychain reports them.
    const bool noneStored = found.status == Status::itemNotFound || found.value;
    if (!noneStored) {
        logStatus("Something went wrong, Unable to fetch value from Keychain: ", found.status);
        // A held value was made when the keychain showed none; it is still the process's identity,
        // but it is not written while the keychain cannot say whether one was stored since.
        if (held == unstored_.end()) return std::nullopt;
        held->second.storable = false;
        return held->second.value;
    }
    if (held == unstored_.end()) held = unstored_.emplace(std::string(key), Held{make()}).first;
    held->second.storable = true;
    return held->second.value;
}

bool KeychainHelper::storeHeldLocked(std::string_view key) {
    auto held = unstored_.find(key);
    if (held == unstored_.end()) return true;
    if (!held->second.storable) return false;
    const auto ifLocked = held->second.tried ? platform::KeyValueStore::IfLocked::fail
                                             : platform::KeyValueStore::IfLocked::wait;
    held->second.tried = true;
    if (!save(held->second.value, key, ifLocked)) return false;
    unstored_.erase(held);
    return true;
}

void KeychainHelper::remove(std::string_view key) {
    {
        std::lock_guard lock(unstoredMutex_);
        if (auto unstored = unstored_.find(key); unstored != unstored_.end()) unstored_.erase(unstored);
    }
    auto status = store_.remove(key);
    if (status != platform::KeyValueStore::Status::success) logStatus("Unable to delete from Keychain: ", status);
}

bool KeychainHelper::inOneCommit(const std::function<void()>& writes) {
    std::lock_guard lock(unstoredMutex_);
    auto status = store_.inOneTransaction(writes);
    if (status == platform::KeyValueStore::Status::success) return true;
    logStatus("Something went wrong, Unable to save in Keychain: ", status);
    return false;
}

void KeychainHelper::clearAll() {
    {
        std::lock_guard lock(unstoredMutex_);
        unstored_.clear();
    }
    auto status = store_.removeAll();
    if (status != platform::KeyValueStore::Status::success) {
        logStatus("Error deleting session data: ", status);
        return;
    }
    QVLogger::e(tag, "Session data deleted successfully.");
}

} // namespace qvtv
