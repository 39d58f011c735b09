#pragma once
// The single owner of consent state in the process: it loads the templates of the host's
// application ids, answers every consent query from the stored state and saves the viewer's
// choice on the device and on the service. The engine reaches it through DataFactory.
//
//   auto status = qvtv::DataFactory::repository()->getConsentStatus(appId);
//   if (status.code() == 200 && status.data() == qvtv::QVConsentStatus::pending) showBanner();

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QVTVConsent/core/QVDataMessage.h"
#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/model/GoogleConsentData.h"
#include "QVTVConsent/model/QVAppliedGCMData.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/model/QVConsentRecollectionReason.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVConsentType.h"
#include "QVTVConsent/model/QVPackageConsent.h"
#include "platform/Task.h"

namespace qvtv {

class Prefs;
class QVAuthKey;
class QVCategory;
class QVConsentBannerData;
class QVPreferenceCenterData;

class ConsentRepository {
public:
    using ConsentList = std::vector<std::shared_ptr<QVConsentData>>;

    virtual ~ConsentRepository() = default;

    // Loads consent document and templates for the key's primary and secondary ids. With a
    // time-out, loads still running when it passes are cancelled and the answer is the time-out
    // envelope (ConsentRepositoryImpl::timedOut), with nothing stored.
    virtual platform::Task<QVMessage> initialise(const QVAuthKey& authKey,
                                                 std::optional<std::chrono::milliseconds> timeout = std::nullopt) = 0;
    // The key of the last initialise; none before it and after clearSession.
    virtual std::optional<QVAuthKey> authKey() const = 0;
    // The store this repository keeps its state in (made with it at each initialisation run).
    virtual const std::shared_ptr<Prefs>& prefs() const = 0;

    virtual QVDataMessage<QVConsentStatus> getConsentStatus(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::int64_t> getLastConsentedAt(const std::string& applicationId) = 0;
    virtual QVDataMessage<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) = 0;
    virtual QVDataMessage<ConsentList> getCollectedConsentInfo(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::shared_ptr<QVPackageConsent>> getPackage(const std::string& applicationId,
                                                                        const std::string& packageId) = 0;
    virtual QVDataMessage<QVConsentType> getConsentType(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::string> getLocale(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::string> getClientId(const std::string& applicationId) = 0;
    virtual QVDataMessage<bool> isGCMEnabled() = 0;
    virtual QVDataMessage<std::vector<GoogleConsentData>> getGCMData() = 0;
    virtual QVDataMessage<QVAppliedGCMData> getAppliedGCMData() = 0;
    // The template objects are shared with the screens and their consent flags belong to the main
    // queue: these two set the flags from the stored consent, so call them there. (A save that
    // rejects all resets the flags by posting the change to the main queue.)
    virtual QVDataMessage<std::shared_ptr<QVConsentBannerData>> getBannerData(const std::string& applicationId) = 0;
    virtual QVDataMessage<std::shared_ptr<QVPreferenceCenterData>> getPreferenceCenterData(
        const std::string& applicationId) = 0;

    // Posts the choice for `categories` to the service and, on success, stores it on the device.
    virtual platform::Task<QVDataMessage<ConsentList>> saveConsent(
        const std::string& applicationId, std::vector<std::shared_ptr<QVCategory>> categories, bool isRejectAll) = 0;

    // Forgets keys and templates and deletes every stored secret item.
    virtual void clearSession() = 0;

    virtual std::optional<bool> doNotStoreConsent(const std::string& applicationId) = 0;

    // The envelope stored when loading the id's templates failed; the screens of that id are not
    // shown while it is there.
    virtual std::optional<QVMessage> getConfigError(const std::string& applicationId) = 0;
};

} // namespace qvtv
