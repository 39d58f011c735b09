#pragma once
// The core engine over one repository and the shared event manager. It keeps no state of its
// own: every answer comes from the repository (and so the preferences store) at the moment of
// the call, with the application id the host passed.
//
//   auto core = std::make_shared<qvtv::QVCoreEngineImpl>(repository, qvtv::QVConsentEventManager::shared());
//   core->getCollectedConsentInfo("demo-tv-app");

#include "QVTVConsent/data/ConsentRepository.h"
#include "QVTVConsent/engine/QVCoreEngine.h"

namespace qvtv {

class QVCoreEngineImpl final : public QVCoreEngine {
public:
    QVCoreEngineImpl(std::shared_ptr<ConsentRepository> repository, std::shared_ptr<QVConsentEventManager> eventManager);

    QVDataMessage<std::string> getLocale(const std::string& applicationId) override;
    QVDataMessage<std::string> getClientId(const std::string& applicationId) override;
    QVDataMessage<QVConsentStatus> getConsentStatus(const std::string& applicationId) override;
    QVDataMessage<std::int64_t> getLastConsentedAt(const std::string& applicationId) override;
    QVDataMessage<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) override;
    QVDataMessage<ConsentList> getCollectedConsentInfo(const std::string& applicationId) override;
    QVDataMessage<std::shared_ptr<QVPackageConsent>> getPackage(const std::string& applicationId,
                                                                const std::string& packageId) override;
    QVMessage showConsentBannerFor(const std::string& applicationId, const std::shared_ptr<tvkit::ViewController>& host,
                                   QVScreenBuilder<QVConsentBannerData> builder) override;
    QVMessage showConsentBanner(const std::shared_ptr<tvkit::ViewController>& host,
                                QVScreenBuilder<QVConsentBannerData> builder) override;
    QVMessage showSecondaryBanner(const std::shared_ptr<tvkit::ViewController>& host,
                                  QVScreenBuilder<QVConsentBannerData> builder) override;
    QVMessage showPreferenceCenter(const std::string& applicationId, const std::shared_ptr<tvkit::ViewController>& host,
                                   QVScreenBuilder<QVPreferenceCenterData> builder) override;
    void addObserver(std::int64_t code, std::any observer, ObserverCallback callback) override;
    void removeObserver(std::int64_t code) override;
    void addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate) override;
    void removeDelegate(std::int64_t code) override;
    QVDataMessage<bool> isGCMEnabled() override;
    QVDataMessage<QVAppliedGCMData> getAppliedGCMData() override;
    QVDataMessage<std::vector<GoogleConsentData>> getGCMData() override;

    const std::shared_ptr<ConsentRepository>& repository() const { return repository_; }

private:
    // The banner of the key's primary or secondary id; the 500 envelopes when there is no
    // repository or no such id.
    QVMessage showKeyBanner(bool secondary, const std::shared_ptr<tvkit::ViewController>& host,
                            QVScreenBuilder<QVConsentBannerData> builder);

    std::shared_ptr<ConsentRepository> repository_;
    std::shared_ptr<QVConsentEventManager> eventManager_;
};

} // namespace qvtv
