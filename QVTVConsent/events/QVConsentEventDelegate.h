#pragma once
// Implemented by the host to hear about consent changes synchronously, on the thread that
// reports them (the main thread for the screens, the initialising task for recollection).
//
//   struct Listener : qvtv::QVConsentEventDelegate {
//       const std::string& applicationId() const override { return id; }
//       void onConsentAction(const qvtv::QVDataMessage<qvtv::QVConsentEvent>& m) override { ... }
//       std::string id = "demo-tv-app";
//   };
//   engine->addDelegate(1, std::make_shared<Listener>());

#include <string>

#include "QVTVConsent/events/QVConsentEvent.h"
#include "QVTVConsent/core/QVDataMessage.h"

namespace qvtv {

class QVConsentEventDelegate {
public:
    virtual ~QVConsentEventDelegate() = default;
    // The application the delegate is meant for; kept for the host, every delegate hears every event.
    virtual const std::string& applicationId() const = 0;
    virtual void onConsentAction(const QVDataMessage<QVConsentEvent>& data) = 0;
};

} // namespace qvtv
