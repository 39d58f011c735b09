#pragma once
// The public engine: forwards every operation to the core engine it wraps, unchanged, and gives
// the show operations the builders of the library's own screens.
//
//   std::shared_ptr<qvtv::QVConsentEngine> engine = std::make_shared<qvtv::QVConsentEngineImpl>(core);

#include "QVTVConsent/engine/QVConsentEngine.h"
#include "QVTVConsent/engine/QVCoreEngine.h"

namespace qvtv {

class QVConsentEngineImpl final : public QVConsentEngine {
public:
    explicit QVConsentEngineImpl(std::shared_ptr<QVCoreEngine> coreEngine);

    QVDataMessage<std::string> getLocale(const std::string& applicationId) override;
    QVDataMessage<std::string> getClientId(const std::string& applicationId) override;
    QVDataMessage<QVConsentStatus> getConsentStatus(const std::string& applicationId) override;
    QVDataMessage<std::int64_t> getLastConsentedAt(const std::string& applicationId) override;
    QVDataMessage<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) override;
    QVDataMessage<ConsentList> getCollectedConsentInfo(const std::string& applicationId) override;
    QVDataMessage<std::shared_ptr<QVPackageConsent>> getPackage(const std::string& applicationId,
                                                                const std::string& packageId) override;
    QVMessage showConsentBannerFor(const std::string& applicationId,
                                   const std::shared_ptr<tvkit::ViewController>& host) override;
    QVMessage showConsentBanner(const std::shared_ptr<tvkit::ViewController>& host) override;
    QVMessage showSecondaryBanner(const std::shared_ptr<tvkit::ViewController>& host) override;
    QVMessage showPreferenceCenter(const std::string& applicationId,
                                   const std::shared_ptr<tvkit::ViewController>& host) override;
    void addObserver(std::int64_t code, std::any observer, ObserverCallback callback) override;
    void removeObserver(std::int64_t code) override;
    void addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate) override;
    void removeDelegate(std::int64_t code) override;
    QVDataMessage<bool> isGCMEnabled() override;
    QVDataMessage<QVAppliedGCMData> getAppliedGCMData() override;
    QVDataMessage<std::vector<GoogleConsentData>> getGCMData() override;

    const std::shared_ptr<QVCoreEngine>& coreEngine() const { return coreEngine_; }

private:
    std::shared_ptr<QVCoreEngine> coreEngine_;
};

} // namespace qvtv
