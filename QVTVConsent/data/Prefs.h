#pragma once
// The preferences store the repository talks to: typed reads and writes of everything the
// library keeps between runs, per application id. Reads never fail: a missing or unreadable
// value gives the operation's default. Writes report nothing; failures are logged by the keychain
// (several writes that must land together go through inOneCommit, which tells).
//
//   std::shared_ptr<qvtv::Prefs> prefs = qvtv::PrefsFactory::create();
//   if (prefs->getConsentStatus("demo-tv-app") == qvtv::QVConsentStatus::pending) showBanner();

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/model/QVAppliedGCMData.h"
#include "QVTVConsent/model/QVConsentModeConfigData.h"
#include "QVTVConsent/model/QVConsentRecollectionReason.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVDynamic.h"

namespace qvtv {

class Prefs {
public:
    virtual ~Prefs() = default;

    // "Pending", "Collected" or "RecollectionRequired" exactly; anything else reads as pending.
    virtual QVConsentStatus getConsentStatus(const std::string& applicationId) = 0;
    virtual void saveConsentStatus(const std::string& applicationId, QVConsentStatus status) = 0;

    // Milliseconds since 1970 UTC.
    virtual std::optional<std::int64_t> getLastConsentedAt(const std::string& applicationId) = 0;
    virtual void saveLastConsentedAt(const std::string& applicationId, std::int64_t milliseconds) = 0;

    virtual std::optional<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) = 0;
    // No reason deletes the stored one.
    virtual void saveRecollectionReason(const std::string& applicationId,
                                        std::optional<QVConsentRecollectionReason> reason) = 0;

    // The stored consent document; null when there is none or it cannot be read.
    virtual std::shared_ptr<QVDynamic> getConsentRecord(const std::string& applicationId) = 0;
    virtual void saveConsentRecord(const std::string& applicationId, const QVDynamic& record) = 0;

    // Made (an upper-case UUID) and stored on first use; stable until the keychain is cleared. No
    // value while the keychain cannot be read: a new id then could replace the stored one.
    virtual std::optional<std::string> getClientId(const std::string& applicationId) = 0;
    // getClientId in two steps, so a request can carry a new id while it is being written: the
    // first answers as getClientId does but only holds a new id in memory (getClientId answers it
    // too); the second writes it, false when it could not (it stays held and getClientId retries).
    virtual std::optional<std::string> reserveClientId(const std::string& applicationId) = 0;
    virtual bool storeClientId(const std::string& applicationId) = 0;

    virtual std::optional<QVMessage> getConfigError(const std::string& applicationId) = 0;
    // No message deletes the stored one.
    virtual void saveConfigError(const std::string& applicationId, const std::optional<QVMessage>& message) = 0;

    virtual std::optional<QVConsentModeConfigData> getConsentModeConfig(const std::string& applicationId) = 0;
    // No configuration deletes the stored one.
    virtual void saveConsentModeConfig(const std::string& applicationId,
                                       const std::optional<QVConsentModeConfigData>& config) = 0;

    // One value for the whole app, written by the analytics adapter.
    virtual std::optional<QVAppliedGCMData> getAppliedGCMData() = 0;
    virtual void saveAppliedGCMData(const QVAppliedGCMData& data) = 0;

    // Moves values stored under the old locale-suffixed keys to the current keys; an old value
    // always wins.
    virtual void migrateLegacyKeys(const std::string& applicationId, const std::string& locale) = 0;

    // Runs `writes`, committing what they store in the keychain at once, all of it or none, with
    // one disk sync; false (and logged) when that commit failed, so nothing of it was stored.
    virtual bool inOneCommit(const std::function<void()>& writes) = 0;

    // The device language of the first run ("EN" when the device has none), sent with template
    // requests.
    virtual std::string getLanguage() = 0;

    // Deletes every keychain item of the app and the version of the last run, so the next store
    // made sees a fresh install.
    virtual void clearSession() = 0;
};

} // namespace qvtv
