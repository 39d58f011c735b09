#pragma once
// The library's way of telling hosts about a consent change: the screens, the recollection check
// and the demo post through it. Internal (never installed), so hosts can listen to the event
// manager but never post to it.
//
//   qvtv::ConsentEventPoster::notify(*qvtv::QVConsentEventManager::shared(), "demo-tv-app", clientId,
//                                    qvtv::QVUserConsentActionType::accept, qvtv::QVConsentStatus::collected, saved);

#include "QVTVConsent/events/QVConsentEventManager.h"

namespace qvtv {

class ConsentEventPoster {
public:
    // See QVConsentEventManager::notify: delegates first, each with its own code, then observers.
    static void notify(QVConsentEventManager& events, const std::string& applicationId, const std::string& clientId,
                       std::optional<QVUserConsentActionType> type, QVConsentStatus consentStatus,
                       const QVDataMessage<QVConsentEvent::Records>& envelope) {
        events.notify(applicationId, clientId, type, consentStatus, envelope);
    }

    ConsentEventPoster() = delete;
};

} // namespace qvtv
