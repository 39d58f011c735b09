#pragma once
// The engine behind the public one: every query the host makes is answered here from the
// repository, observers and delegates go to the shared event manager, and the show operations
// present a screen made by the builder they are given. Internal; hosts use QVConsentEngine, which
// forwards to this with the library's own screens.
//
//   auto status = core->getConsentStatus("demo-tv-app");   // 200 "Pending" until the viewer chooses
//   core->showConsentBanner(hostScreen, qvtv::QVScreenLayer::bannerBuilder());

#include <any>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "QVTVConsent/events/QVConsentEventDelegate.h"
#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/core/QVDataMessage.h"
#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/engine/QVScreenBuilder.h"
#include "QVTVConsent/model/GoogleConsentData.h"
#include "QVTVConsent/model/QVAppliedGCMData.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/model/QVConsentRecollectionReason.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVPackageConsent.h"

namespace qvtv {

class QVConsentBannerData;
class QVPreferenceCenterData;

class QVCoreEngine {
public:
    using ConsentList = std::vector<std::shared_ptr<QVConsentData>>;
    using ObserverCallback = QVConsentEventManager::ObserverCallback;

    virtual ~QVCoreEngine() = default;

    virtual QVDataMessage<std::string> getLocale(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::string> getClientId(const std::string& applicationId) = 0;
    virtual QVDataMessage<QVConsentStatus> getConsentStatus(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::int64_t> getLastConsentedAt(const std::string& applicationId) = 0;
    virtual QVDataMessage<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) = 0;
    virtual QVDataMessage<ConsentList> getCollectedConsentInfo(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::shared_ptr<QVPackageConsent>> getPackage(const std::string& applicationId,
                                                                        const std::string& packageId) = 0;

    // Show operations, on the main thread. Each answers 200 at once and presents the screen that
    // `builder` makes over `host` once the template has been read off the main thread (or shows a
    // toast with the reason there is none); a configuration error stored for the id is answered
    // instead and nothing is shown. The two taking an id throw DataFactoryError::notCreated before
    // any initialisation; the other two answer 500.
    virtual QVMessage showConsentBannerFor(const std::string& applicationId,
                                           const std::shared_ptr<tvkit::ViewController>& host,
                                           QVScreenBuilder<QVConsentBannerData> builder) = 0;
    virtual QVMessage showConsentBanner(const std::shared_ptr<tvkit::ViewController>& host,
                                        QVScreenBuilder<QVConsentBannerData> builder) = 0;
    virtual QVMessage showSecondaryBanner(const std::shared_ptr<tvkit::ViewController>& host,
                                          QVScreenBuilder<QVConsentBannerData> builder) = 0;
    virtual QVMessage showPreferenceCenter(const std::string& applicationId,
                                           const std::shared_ptr<tvkit::ViewController>& host,
                                           QVScreenBuilder<QVPreferenceCenterData> builder) = 0;

    virtual void addObserver(std::int64_t code, std::any observer, ObserverCallback callback) = 0;
    virtual void removeObserver(std::int64_t code) = 0;
    virtual void addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate) = 0;
    virtual void removeDelegate(std::int64_t code) = 0;
    virtual QVDataMessage<bool> isGCMEnabled() = 0;
    virtual QVDataMessage<QVAppliedGCMData> getAppliedGCMData() = 0;
    virtual QVDataMessage<std::vector<GoogleConsentData>> getGCMData() = 0;
};

// An envelope carrying the engine names it in its dictionary form rather than describing it.
inline nlohmann::json toDictionaryValue(const std::shared_ptr<QVCoreEngine>&) { return "QVCoreEngine"; }

} // namespace qvtv
