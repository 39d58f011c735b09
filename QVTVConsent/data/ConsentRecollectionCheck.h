#pragma once
// Run by the repository for each application id at every successful initialisation: it trims the
// stored consent to the packages the current template still has, decides whether consent must be
// collected again (the template gained packages, or the retention period passed), stores status
// and reason and saves the trimmed document; once that is committed the caller tells the event
// manager when recollection begins.
//
//   if (ConsentRecollectionCheck::run(*prefs, appId, *document, *banner))
//       ConsentRecollectionCheck::announce(*events, appId, *document);

#include <string>

#include "QVTVConsent/data/Prefs.h"
#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVDynamic.h"

namespace qvtv {

class ConsentRecollectionCheck {
public:
    // After the call the document's package lists hold the template's own package objects,
    // carrying the stored choices, so the screens show what the viewer chose before. True when
    // consent must be collected again.
    static bool run(Prefs& prefs, const std::string& applicationId, QVDynamic& document,
                    const QVConsentBannerData& banner);
    // Tells the event manager that recollection begins for the checked document.
    static void announce(QVConsentEventManager& events, const std::string& applicationId, const QVDynamic& document);

    ConsentRecollectionCheck() = delete;
};

} // namespace qvtv
