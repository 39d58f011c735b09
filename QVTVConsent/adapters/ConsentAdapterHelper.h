#pragma once
// What the banner and the preference center call after a choice was saved: it works out the
// Google Consent Mode signals of the choice from the stored configuration (every region's entries
// count) and applies the choice to the SDKs through the adapter manager.
//
//   qvtv::ConsentAdapterHelper::applyConsent(qvtv::QVConsentStatus::collected, bannerData->categories);

#include <memory>
#include <vector>

#include "QVTVConsent/adapters/QVGCMSignalMap.h"
#include "QVTVConsent/model/GoogleConsentData.h"
#include "QVTVConsent/model/QVConsentStatus.h"

namespace qvtv {

class QVCategory;

class ConsentAdapterHelper {
public:
    using Categories = std::vector<std::shared_ptr<QVCategory>>;

    // Each throws DataFactoryError::notCreated, touching no SDK, before any initialisation.
    static void acceptAll(QVConsentStatus status, const Categories& categories);
    static void denyAll(QVConsentStatus status, const Categories& categories);
    // A custom choice: the signals of each known package's category follow its switch.
    static void applyConsent(QVConsentStatus status, const Categories& categories);

    // Every signal the configuration names, set to `value`.
    static QVGCMSignalMap uniformSignals(const std::vector<GoogleConsentData>& gcm, QVGCMConsentSignalStatus value);
    // The configuration's own values, then granted for enabled packages' signals, then denied for
    // disabled ones (denied wins).
    static QVGCMSignalMap customSignals(const std::vector<GoogleConsentData>& gcm, const Categories& categories);

    ConsentAdapterHelper() = delete;
};

} // namespace qvtv
