#pragma once
// The preferences store over the keychain and user defaults. Construction recognises the first
// run after an install (user defaults are gone, keychain items are not) and wipes the keychain
// then. This run's app version, and the device language the first time, are recorded on the
// background queue, so a start's first requests do not wait on the store files being made;
// every write and the destructor wait for that record first, so no consent reaches the disk
// before the version that keeps the next start from wiping it.
//
//   qvtv::PrefsImpl prefs(qvtv::KeychainHelper::shared(), qvtv::UserDefaults::standard());
//   prefs.saveConsentStatus("demo-tv-app", qvtv::QVConsentStatus::collected);

#include <memory>

#include "QVTVConsent/data/KeychainHelper.h"
#include "QVTVConsent/data/Prefs.h"
#include "QVTVConsent/data/UserDefaults.h"
#include "platform/Task.h"

namespace qvtv {

class PrefsImpl : public Prefs {
public:
    PrefsImpl(std::shared_ptr<KeychainHelper> keychainHelper, std::shared_ptr<UserDefaults> userDefaults);
    ~PrefsImpl() override;
    PrefsImpl(const PrefsImpl&) = delete;
    PrefsImpl& operator=(const PrefsImpl&) = delete;

    std::string getLanguage() override { return language_; }

    QVConsentStatus getConsentStatus(const std::string& applicationId) override;
    void saveConsentStatus(const std::string& applicationId, QVConsentStatus status) override;
    std::optional<std::int64_t> getLastConsentedAt(const std::string& applicationId) override;
    void saveLastConsentedAt(const std::string& applicationId, std::int64_t milliseconds) override;
    std::optional<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) override;
    void saveRecollectionReason(const std::string& applicationId,
                                std::optional<QVConsentRecollectionReason> reason) override;
    std::shared_ptr<QVDynamic> getConsentRecord(const std::string& applicationId) override;
    void saveConsentRecord(const std::string& applicationId, const QVDynamic& record) override;
    std::optional<std::string> getClientId(const std::string& applicationId) override;
    std::optional<std::string> reserveClientId(const std::string& applicationId) override;
    bool storeClientId(const std::string& applicationId) override;
    std::optional<QVMessage> getConfigError(const std::string& applicationId) override;
    void saveConfigError(const std::string& applicationId, const std::optional<QVMessage>& message) override;
    std::optional<QVConsentModeConfigData> getConsentModeConfig(const std::string& applicationId) override;
    void saveConsentModeConfig(const std::string& applicationId,
                               const std::optional<QVConsentModeConfigData>& config) override;
    std::optional<QVAppliedGCMData> getAppliedGCMData() override;
    void saveAppliedGCMData(const QVAppliedGCMData& data) override;
    void migrateLegacyKeys(const std::string& applicationId, const std::string& locale) override;
    bool inOneCommit(const std::function<void()>& writes) override;
    void clearSession() override;

private:
    // What is stored under a record's key: nothing, something unreadable, or a JSON object.
    struct StoredObject {
        bool missing = true;
        std::optional<nlohmann::json> object;
    };
    StoredObject readObject(const std::string& key);
    // A record read the usual way: a missing key runs the constructor on no input (which fails
    // with its own log line), an unreadable value is none, an object goes to `construct`.
    template <class Record, class Construct>
    std::optional<Record> readRecord(const std::string& key, std::string_view recordTag, Construct construct);
    // Stores the pretty-printed JSON, or deletes the key when there is nothing (valid) to store.
    void writeJson(const std::string& key, const std::optional<nlohmann::json>& value, std::string_view tag);
    // Stores written text, or deletes the key when the text could not be written.
    void writeText(const std::string& key, const Result<std::string>& text);

    // The keychain once this run's record is on the disk; every write goes through it.
    KeychainHelper& writer();

    std::shared_ptr<KeychainHelper> keychainHelper_;
    std::shared_ptr<UserDefaults> userDefaults_;
    std::string language_;
    std::optional<platform::Task<void>> recorded_;  // set by the constructor
};

} // namespace qvtv
