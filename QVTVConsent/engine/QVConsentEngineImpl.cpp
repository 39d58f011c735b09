#include "QVTVConsent/engine/QVConsentEngineImpl.h"

#include "QVTVConsent/engine/QVScreenLayer.h"

namespace qvtv {

QVConsentEngineImpl::QVConsentEngineImpl(std::shared_ptr<QVCoreEngine> coreEngine) : coreEngine_(std::move(coreEngine)) {}

QVDataMessage<std::string> QVConsentEngineImpl::getLocale(const std::string& applicationId) {
    return coreEngine_->getLocale(applicationId);
}

QVDataMessage<std::string> QVConsentEngineImpl::getClientId(const std::string& applicationId) {
    return coreEngine_->getClientId(applicationId);
}

QVDataMessage<QVConsentStatus> QVConsentEngineImpl::getConsentStatus(const std::string& applicationId) {
    return coreEngine_->getConsentStatus(applicationId);
}

QVDataMessage<std::int64_t> QVConsentEngineImpl::getLastConsentedAt(const std::string& applicationId) {
    return coreEngine_->getLastConsentedAt(applicationId);
}

QVDataMessage<QVConsentRecollectionReason> QVConsentEngineImpl::getConsentRecollectionReason(
    const std::string& applicationId) {
    return coreEngine_->getConsentRecollectionReason(applicationId);
}

QVDataMessage<QVConsentEngine::ConsentList> QVConsentEngineImpl::getCollectedConsentInfo(
    const std::string& applicationId) {
    return coreEngine_->getCollectedConsentInfo(applicationId);
}

QVDataMessage<std::shared_ptr<QVPackageConsent>> QVConsentEngineImpl::getPackage(const std::string& applicationId,
                                                                                 const std::string& packageId) {
    return coreEngine_->getPackage(applicationId, packageId);
}

QVMessage QVConsentEngineImpl::showConsentBannerFor(const std::string& applicationId,
                                                    const std::shared_ptr<tvkit::ViewController>& host) {
    return coreEngine_->showConsentBannerFor(applicationId, host, QVScreenLayer::bannerBuilder());
}

QVMessage QVConsentEngineImpl::showConsentBanner(const std::shared_ptr<tvkit::ViewController>& host) {
    return coreEngine_->showConsentBanner(host, QVScreenLayer::bannerBuilder());
}

QVMessage QVConsentEngineImpl::showSecondaryBanner(const std::shared_ptr<tvkit::ViewController>& host) {
    return coreEngine_->showSecondaryBanner(host, QVScreenLayer::bannerBuilder());
}

QVMessage QVConsentEngineImpl::showPreferenceCenter(const std::string& applicationId,
                                                    const std::shared_ptr<tvkit::ViewController>& host) {
    return coreEngine_->showPreferenceCenter(applicationId, host, QVScreenLayer::preferenceCenterBuilder());
}

void QVConsentEngineImpl::addObserver(std::int64_t code, std::any observer, ObserverCallback callback) {
    coreEngine_->addObserver(code, std::move(observer), std::move(callback));
}

void QVConsentEngineImpl::removeObserver(std::int64_t code) { coreEngine_->removeObserver(code); }

void QVConsentEngineImpl::addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate) {
    coreEngine_->addDelegate(code, std::move(delegate));
}

void QVConsentEngineImpl::removeDelegate(std::int64_t code) { coreEngine_->removeDelegate(code); }

QVDataMessage<bool> QVConsentEngineImpl::isGCMEnabled() { return coreEngine_->isGCMEnabled(); }

QVDataMessage<QVAppliedGCMData> QVConsentEngineImpl::getAppliedGCMData() { return coreEngine_->getAppliedGCMData(); }

QVDataMessage<std::vector<GoogleConsentData>> QVConsentEngineImpl::getGCMData() { return coreEngine_->getGCMData(); }

} // namespace qvtv
