#pragma once
// The library's public engine, handed to the host by QVConsentEngineFactory::initialise. Every
// query answers with a result envelope (code 200 on success) and never throws; observers and
// delegates registered here hear every consent event.
//
//   auto status = engine->getConsentStatus("demo-tv-app");
//   if (status.code() == 200 && status.data() != qvtv::QVConsentStatus::collected) askForConsent();
//   engine->addDelegate(1, myDelegate);
//   engine->showConsentBanner(homeScreen);               // on the main thread

#include <any>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "QVTVConsent/events/QVConsentEventDelegate.h"
#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/core/QVDataMessage.h"
#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/model/GoogleConsentData.h"
#include "QVTVConsent/model/QVAppliedGCMData.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/model/QVConsentRecollectionReason.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVPackageConsent.h"

namespace tvkit {
class ViewController;
}

namespace qvtv {

class QVConsentEngine {
public:
    using ConsentList = std::vector<std::shared_ptr<QVConsentData>>;
    // Runs on the main queue with the event inside its envelope.
    using ObserverCallback = QVConsentEventManager::ObserverCallback;

    virtual ~QVConsentEngine() = default;

    // The locale of the stored consent document (404 with an error text when there is none).
    virtual QVDataMessage<std::string> getLocale(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::string> getClientId(const std::string& applicationId) = 0;
    // Always 200, with the status's raw value as message.
    virtual QVDataMessage<QVConsentStatus> getConsentStatus(const std::string& applicationId) = 0;
    // Milliseconds since 1970 UTC of the viewer's last choice.
    virtual QVDataMessage<std::int64_t> getLastConsentedAt(const std::string& applicationId) = 0;
    virtual QVDataMessage<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) = 0;
    virtual QVDataMessage<ConsentList> getCollectedConsentInfo(const std::string& applicationId) = 0;
    // 200 without payload when the package is unknown.
    virtual QVDataMessage<std::shared_ptr<QVPackageConsent>> getPackage(const std::string& applicationId,
                                                                        const std::string& packageId) = 0;

    // Show operations, called on the main thread. Each answers 200 at once (or the configuration
    // error stored for the id, showing nothing), puts up the loading overlay, and presents the
    // screen over `host` once the template has been read; without a template the viewer sees a
    // toast with the reason instead. The two taking an id throw DataFactoryError::notCreated
    // before any initialisation; the other two answer 500.
    virtual QVMessage showConsentBannerFor(const std::string& applicationId,
                                           const std::shared_ptr<tvkit::ViewController>& host) = 0;
    // The banner of the key's primary application id.
    virtual QVMessage showConsentBanner(const std::shared_ptr<tvkit::ViewController>& host) = 0;
    // The banner of the key's secondary application id (500 when the key has none).
    virtual QVMessage showSecondaryBanner(const std::shared_ptr<tvkit::ViewController>& host) = 0;
    virtual QVMessage showPreferenceCenter(const std::string& applicationId,
                                           const std::shared_ptr<tvkit::ViewController>& host) = 0;

    virtual void addObserver(std::int64_t code, std::any observer, ObserverCallback callback) = 0;
    virtual void removeObserver(std::int64_t code) = 0;
    virtual void addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate) = 0;
    virtual void removeDelegate(std::int64_t code) = 0;
    virtual QVDataMessage<bool> isGCMEnabled() = 0;
    virtual QVDataMessage<QVAppliedGCMData> getAppliedGCMData() = 0;
    virtual QVDataMessage<std::vector<GoogleConsentData>> getGCMData() = 0;
};

// An envelope carrying the engine names it in its dictionary form rather than describing it.
inline nlohmann::json toDictionaryValue(const std::shared_ptr<QVConsentEngine>&) { return "QVConsentEngine"; }

} // namespace qvtv
