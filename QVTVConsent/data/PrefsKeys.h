#pragma once
// Every key the library persists. Per-application keys are the application id followed by a
// suffix that begins with "_qv_"; the legacy forms add "_" and the stored document's locale.
//
//   keychain->get(qvtv::PrefsKeys::consentStatus("demo-tv-app"));   // "demo-tv-app_qv_consent_status"

#include <string>
#include <string_view>

namespace qvtv::PrefsKeys {

// Keychain, global.
inline constexpr std::string_view language = "qv_language";
inline constexpr std::string_view appliedGCMData = "applied_gcm_data";

// User defaults.
inline constexpr std::string_view legacyVersionOfLastRun = "VersionOfLastRun";
inline constexpr std::string_view versionOfLastRun = "qv_version_of_last_run";

// Keychain, per application id.
inline constexpr std::string_view consentStatusSuffix = "_qv_consent_status";
inline constexpr std::string_view lastConsentedAtSuffix = "_qv_last_consented_at";
inline constexpr std::string_view recollectionReasonSuffix = "_qv_consent_recollection_reason";
inline constexpr std::string_view dynamicSuffix = "_qv_dynamic";
inline constexpr std::string_view identitySuffix = "_qv_identity";
inline constexpr std::string_view configErrorSuffix = "_qv_config_error";
inline constexpr std::string_view consentModeConfigSuffix = "_qv_consent_mode_config";

inline std::string forApplication(std::string_view applicationId, std::string_view suffix) {
    std::string key;
    key.reserve(applicationId.size() + suffix.size());
    return key.append(applicationId).append(suffix);
}

inline std::string consentStatus(std::string_view id) { return forApplication(id, consentStatusSuffix); }
inline std::string lastConsentedAt(std::string_view id) { return forApplication(id, lastConsentedAtSuffix); }
inline std::string recollectionReason(std::string_view id) { return forApplication(id, recollectionReasonSuffix); }
inline std::string dynamic(std::string_view id) { return forApplication(id, dynamicSuffix); }
inline std::string identity(std::string_view id) { return forApplication(id, identitySuffix); }
inline std::string configError(std::string_view id) { return forApplication(id, configErrorSuffix); }
inline std::string consentModeConfig(std::string_view id) { return forApplication(id, consentModeConfigSuffix); }

} // namespace qvtv::PrefsKeys
