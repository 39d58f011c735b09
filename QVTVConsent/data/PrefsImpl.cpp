#include "QVTVConsent/data/PrefsImpl.h"

#include "QVTVConsent/data/PrefsKeys.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/NumUtils.h"
#include "platform/DeviceInfo.h"
#include "platform/Locale.h"
#include "platform/Task.h"
#include "platform/Uuid.h"

namespace qvtv {
namespace {

std::string makeClientId() { return platform::Uuid::make(); }

} // namespace

PrefsImpl::PrefsImpl(std::shared_ptr<KeychainHelper> keychainHelper, std::shared_ptr<UserDefaults> userDefaults)
    : keychainHelper_(std::move(keychainHelper)) {
    // User defaults vanish with the app, keychain items do not: finding neither version entry
    // means a fresh install, and consent left by an earlier install must not come back.
    bool ranBefore = userDefaults->string(PrefsKeys::legacyVersionOfLastRun) ||
                     userDefaults->string(PrefsKeys::versionOfLastRun);
    if (!ranBefore) keychainHelper_->clearAll();

    // A host that sets no version still records this run (as an empty version): skipping the
    // write would make every start look like a fresh install and wipe the stored consent. It is
    // written only once the keychain was cleared, and beside the language's write: the stores are
    // separate files, so on a fresh install their creations wait on the disk at the same time.
    const auto version = platform::DeviceInfo::appShortVersion().value_or("");
    auto versionStored = platform::Task<void>::run(platform::DispatchQueue::global(), [userDefaults, version] {
        userDefaults->set(PrefsKeys::versionOfLastRun, version);
    });

    if (!keychainHelper_->get(PrefsKeys::language)) {
        auto language = platform::Locale::current().languageCode;
        keychainHelper_->save(language.empty() ? "EN" : language, PrefsKeys::language);
    }
    versionStored.get();
}

QVConsentStatus PrefsImpl::getConsentStatus(const std::string& applicationId) {
    auto text = keychainHelper_->get(PrefsKeys::consentStatus(applicationId));
    if (!text) return QVConsentStatus::pending;
    return fromRawValue<QVConsentStatus>(*text).value_or(QVConsentStatus::pending);
}

void PrefsImpl::saveConsentStatus(const std::string& applicationId, QVConsentStatus status) {
    keychainHelper_->save(rawValue(status), PrefsKeys::consentStatus(applicationId));
}

std::optional<std::int64_t> PrefsImpl::getLastConsentedAt(const std::string& applicationId) {
    auto text = keychainHelper_->get(PrefsKeys::lastConsentedAt(applicationId));
    if (!text) return std::nullopt;
    return NumUtils::parseInt64(*text);
}

void PrefsImpl::saveLastConsentedAt(const std::string& applicationId, std::int64_t milliseconds) {
    keychainHelper_->save(std::to_string(milliseconds), PrefsKeys::lastConsentedAt(applicationId));
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
        keychainHelper_->remove(key);
        return;
    }
    keychainHelper_->save(rawValue(*reason), key);
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
        keychainHelper_->remove(key);
        return;
    }
    writeText(key, JsonUtils::jsonString(*value, tag));
}

void PrefsImpl::writeText(const std::string& key, const Result<std::string>& text) {
    if (!text) {
        keychainHelper_->remove(key);
        return;
    }
    keychainHelper_->save(*text, key);
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
    return keychainHelper_->getOrCreate(PrefsKeys::identity(applicationId), makeClientId);
}

std::optional<std::string> PrefsImpl::reserveClientId(const std::string& applicationId) {
    return keychainHelper_->getOrHold(PrefsKeys::identity(applicationId), makeClientId);
}

bool PrefsImpl::storeClientId(const std::string& applicationId) {
    return keychainHelper_->storeHeld(PrefsKeys::identity(applicationId));
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
        keychainHelper_->save(*value, current);
        keychainHelper_->remove(legacy);
    }
}

bool PrefsImpl::inOneCommit(const std::function<void()>& writes) { return keychainHelper_->inOneCommit(writes); }

void PrefsImpl::clearSession() { keychainHelper_->clearAll(); }

} // namespace qvtv
