#include "QVTVConsent/data/PrefsImpl.h"

#include <mutex>

#include "QVTVConsent/data/PrefsKeys.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/NumUtils.h"
#include "platform/DeviceInfo.h"
#include "platform/Locale.h"
#include "platform/NoDestructor.h"
#include "platform/Task.h"
#include "platform/Uuid.h"

namespace qvtv {
namespace {

std::string makeClientId() { return platform::Uuid::make(); }

// The record of the store made last, which a store made after it waits for: before it ends there
// is no version on the disk, and the new store would take the run for a fresh install. Any
// thread, under the mutex.
struct LastRecord {
    std::mutex mutex;
    std::optional<platform::Task<void>> task;
};

LastRecord& lastRecord() {
    static platform::NoDestructor<LastRecord> instance;
    return *instance;
}

} // namespace

PrefsImpl::PrefsImpl(std::shared_ptr<KeychainHelper> keychainHelper, std::shared_ptr<UserDefaults> userDefaults)
    : keychainHelper_(std::move(keychainHelper)), userDefaults_(std::move(userDefaults)) {
    std::lock_guard lock(lastRecord().mutex);
    if (lastRecord().task) lastRecord().task->get();

    // User defaults vanish with the app, keychain items do not: finding neither version entry
    // means a fresh install, and consent left by an earlier install must not come back.
    bool ranBefore = userDefaults_->string(PrefsKeys::legacyVersionOfLastRun) ||
                     userDefaults_->string(PrefsKeys::versionOfLastRun);
    if (!ranBefore) keychainHelper_->clearAll();

    auto storedLanguage = keychainHelper_->get(PrefsKeys::language);
    if (storedLanguage) {
        language_ = *storedLanguage;
    } else {
        language_ = platform::Locale::current().languageCode;
        if (language_.empty()) language_ = "EN";
    }

    // A host that sets no version still records this run (as an empty version): skipping the
    // write would make every start look like a fresh install and wipe the stored consent.
    recorded_ = platform::Task<void>::run(
        platform::DispatchQueue::background(),
        [keychain = keychainHelper_, defaults = userDefaults_,
         version = platform::DeviceInfo::appShortVersion().value_or(""),
         language = storedLanguage ? std::nullopt : std::optional(language_)] {
            defaults->set(PrefsKeys::versionOfLastRun, version);
            if (language) keychain->save(*language, PrefsKeys::language);
        });
    lastRecord().task = recorded_;
}

PrefsImpl::~PrefsImpl() { recorded_->get(); }

KeychainHelper& PrefsImpl::writer() {
    recorded_->get();
    return *keychainHelper_;
}

QVConsentStatus PrefsImpl::getConsentStatus(const std::string& applicationId) {
    auto text = keychainHelper_->get(PrefsKeys::consentStatus(applicationId));
    if (!text) return QVConsentStatus::pending;
    return fromRawValue<QVConsentStatus>(*text).value_or(QVConsentStatus::pending);
}

void PrefsImpl::saveConsentStatus(const std::string& applicationId, QVConsentStatus status) {
    writer().save(rawValue(status), PrefsKeys::consentStatus(applicationId));
}

std::optional<std::int64_t> PrefsImpl::getLastConsentedAt(const std::string& applicationId) {
    auto text = keychainHelper_->get(PrefsKeys::lastConsentedAt(applicationId));
    if (!text) return std::nullopt;
    return NumUtils::parseInt64(*text);
}

void PrefsImpl::saveLastConsentedAt(const std::string& applicationId, std::int64_t milliseconds) {
    writer().save(std::to_string(milliseconds), PrefsKeys::lastConsentedAt(applicationId));
}

std::optional<QVConsentRecollectionReason> PrefsImpl::getConsentRecollectionReason(const std::string& applicationId) {
    auto text = keychainHelper_->get(PrefsKeys::recollectionReason(applicationId));
    if (!text) return std::nullopt;
    return fromRawValue<QVConsentRecollectionReason>(*text);
}

void PrefsImpl::saveRecollectionReason(const std::string& applicationId,
                                       std::optional<QVConsentRecollectionReason> reason) {
    auto key = PrefsKeys::recollectionReason(applicationId);
    if (!reason) {
        writer().remove(key);
        return;
    }
    writer().save(rawValue(*reason), key);
}

PrefsImpl::StoredObject PrefsImpl::readObject(const std::string& key) {
    auto text = keychainHelper_->get(key);
    if (!text) return {};
    auto value = nlohmann::json::parse(*text, nullptr, false);
    if (value.is_discarded()) return {false, std::nullopt};
    if (!value.is_object()) {
        (void)JsonUtils::invalidJsonError("Prefs", &value);
        return {false, std::nullopt};
    }
    return {false, std::move(value)};
}

template <class Record, class Construct>
std::optional<Record> PrefsImpl::readRecord(const std::string& key, std::string_view recordTag, Construct construct) {
    auto stored = readObject(key);
    if (stored.missing) {
        (void)JsonUtils::invalidJsonError(recordTag, nullptr);
        return std::nullopt;
    }
    if (!stored.object) return std::nullopt;
    auto record = construct(*stored.object);
    if (!record) return std::nullopt;
    return std::move(*record);
}

void PrefsImpl::writeJson(const std::string& key, const std::optional<nlohmann::json>& value, std::string_view tag) {
    if (!value) {
        writer().remove(key);
        return;
    }
    writeText(key, JsonUtils::jsonString(*value, tag));
}

void PrefsImpl::writeText(const std::string& key, const Result<std::string>& text) {
    if (!text) {
        writer().remove(key);
        return;
    }
    writer().save(*text, key);
}

std::shared_ptr<QVDynamic> PrefsImpl::getConsentRecord(const std::string& applicationId) {
    return readRecord<std::shared_ptr<QVDynamic>>(PrefsKeys::dynamic(applicationId), "QVDynamic", QVDynamic::fromJson)
        .value_or(nullptr);
}

void PrefsImpl::saveConsentRecord(const std::string& applicationId, const QVDynamic& record) {
    writeText(PrefsKeys::dynamic(applicationId), JsonUtils::jsonString(record, "QVDynamic"));
}

std::optional<std::string> PrefsImpl::getClientId(const std::string& applicationId) {
    // The id goes to the service with the first request; if the keychain cannot take it yet, the
    // same id is answered (and stored as soon as the keychain allows) rather than a new one per call.
    return writer().getOrCreate(PrefsKeys::identity(applicationId), makeClientId);
}

std::optional<std::string> PrefsImpl::reserveClientId(const std::string& applicationId) {
    return keychainHelper_->getOrHold(PrefsKeys::identity(applicationId), makeClientId);
}

bool PrefsImpl::storeClientId(const std::string& applicationId) {
    return writer().storeHeld(PrefsKeys::identity(applicationId));
}

std::optional<QVMessage> PrefsImpl::getConfigError(const std::string& applicationId) {
    return readRecord<QVMessage>(PrefsKeys::configError(applicationId), "QVMessage", QVMessage::fromDictionary);
}

void PrefsImpl::saveConfigError(const std::string& applicationId, const std::optional<QVMessage>& message) {
    writeJson(PrefsKeys::configError(applicationId),
              message ? std::optional(message->toDictionary()) : std::nullopt, "QVMessage");
}

std::optional<QVConsentModeConfigData> PrefsImpl::getConsentModeConfig(const std::string& applicationId) {
    return readRecord<QVConsentModeConfigData>(PrefsKeys::consentModeConfig(applicationId), "QVConsentModeConfigData",
                                               QVConsentModeConfigData::fromJson);
}

void PrefsImpl::saveConsentModeConfig(const std::string& applicationId,
                                      const std::optional<QVConsentModeConfigData>& config) {
    writeJson(PrefsKeys::consentModeConfig(applicationId), config ? std::optional(config->toJson()) : std::nullopt,
              "QVConsentModeConfigData");
}

std::optional<QVAppliedGCMData> PrefsImpl::getAppliedGCMData() {
    // Unlike the other records, a missing value is simply none.
    auto stored = readObject(std::string(PrefsKeys::appliedGCMData));
    if (!stored.object) return std::nullopt;
    auto applied = QVAppliedGCMData::fromJson(*stored.object);
    if (!applied) return std::nullopt;
    return *applied;
}

void PrefsImpl::saveAppliedGCMData(const QVAppliedGCMData& data) {
    writeJson(std::string(PrefsKeys::appliedGCMData), data.toJson(), "QVAppliedGCMData");
}

void PrefsImpl::migrateLegacyKeys(const std::string& applicationId, const std::string& locale) {
    const std::pair<std::string, std::string> moves[] = {
        {PrefsKeys::consentStatus(applicationId) + "_" + locale, PrefsKeys::consentStatus(applicationId)},
        {std::string(PrefsKeys::appliedGCMData) + "_" + locale, std::string(PrefsKeys::appliedGCMData)},
        {PrefsKeys::lastConsentedAt(applicationId) + "_" + locale, PrefsKeys::lastConsentedAt(applicationId)},
        {PrefsKeys::recollectionReason(applicationId) + "_" + locale, PrefsKeys::recollectionReason(applicationId)},
    };
    for (const auto& [legacy, current] : moves) {
        auto value = keychainHelper_->get(legacy);
        if (!value) continue;
        writer().save(*value, current);
        writer().remove(legacy);
    }
}

bool PrefsImpl::inOneCommit(const std::function<void()>& writes) { return writer().inOneCommit(writes); }

void PrefsImpl::clearSession() {
    writer().clearAll();
    userDefaults_->remove(PrefsKeys::versionOfLastRun);
}

} // namespace qvtv
