#pragma once
// Drives the analytics SDK: hands it the Google Consent Mode signals, turns its analytics
// collection on or off, and stores the signals it applied so the host can read them back.
//
//   qvtv::FirebaseAnalyticsConsentAdapter firebase(qvtv::QVConsentType::explicit_);
//   firebase.applyConsent(std::nullopt, {{qvtv::QVGCMConsentSignal::analyticsStorage,
//                                         qvtv::QVGCMConsentSignalStatus::granted}});

#include <optional>

#include "QVTVConsent/adapters/ConsentAdapter.h"
#include "QVTVConsent/adapters/QVGCMSignalMap.h"
#include "platform/RuntimeValue.h"

namespace qvtv {

class ConsentRepository;

class FirebaseAnalyticsConsentAdapter : public ConsentAdapter<QVGCMSignalMap> {
public:
    // Starts analytics collection as `collection` says: at start-up the state the first
    // application will leave, so collection never switches on only to be turned off again.
    // Without it, collection follows the consent type.
    explicit FirebaseAnalyticsConsentAdapter(QVConsentType consentType, std::optional<bool> collection = std::nullopt);

    // The collection an application leaves: the package's switch, or without one the
    // analytics-storage signal.
    static bool analyticsCollection(std::optional<bool> packageEnabled, const QVGCMSignalMap& consentSignals);

    // Without `packageEnabled`, collection follows the analytics-storage signal. Returns false,
    // leaving collection unchanged, when the library was never initialised.
    bool applyConsent(std::optional<bool> packageEnabled, const QVGCMSignalMap& consentSignals) override;
    void clearSession() override;

    void setAnalyticsCollectionEnabled(bool enabled);
    void setConsent(const platform::TextDictionary& consent);

private:
    // Remembers what was applied, under the device's region, for getAppliedGCMData. Nothing is
    // stored while the region is unknown.
    void storeAppliedData(ConsentRepository& repository, const QVGCMSignalMap& consentSignals);
};

} // namespace qvtv
