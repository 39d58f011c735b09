#pragma once
// Run by the repository for each application id at every successful initialisation: it trims the
// stored consent to the packages the current template still has, decides whether consent must be
// collected again (the template gained packages, or the retention period passed), stores status
// and reason, saves the trimmed document and tells the event manager when recollection begins.
//
//   ConsentRecollectionCheck::run(*prefs, *events, appId, *document, *banner);

#include <string>

#include "QVTVConsent/data/Prefs.h"
#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVDynamic.h"

namespace qvtv {

class ConsentRecollectionCheck {
public:
    // After the call the document's package lists hold the template's own package objects,
    // carrying the stored choices, so the screens show what the viewer chose before.
    static void run(Prefs& prefs, QVConsentEventManager& events, const std::string& applicationId,
                    QVDynamic& document, const QVConsentBannerData& banner);

    ConsentRecollectionCheck() = delete;
};

} // namespace qvtv
