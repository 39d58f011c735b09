#include "QVTVConsent/engine/QVCoreEngineImpl.h"

namespace qvtv {

QVCoreEngineImpl::QVCoreEngineImpl(std::shared_ptr<ConsentRepository> repository,
                                   std::shared_ptr<QVConsentEventManager> eventManager)
    : repository_(std::move(repository)), eventManager_(std::move(eventManager)) {}

QVDataMessage<std::string> QVCoreEngineImpl::getLocale(const std::string& applicationId) {
    return repository_->getLocale(applicationId);
}

QVDataMessage<std::string> QVCoreEngineImpl::getClientId(const std::string& applicationId) {
    return repository_->getClientId(applicationId);
}

QVDataMessage<QVConsentStatus> QVCoreEngineImpl::getConsentStatus(const std::string& applicationId) {
    return repository_->getConsentStatus(applicationId);
}

QVDataMessage<std::int64_t> QVCoreEngineImpl::getLastConsentedAt(const std::string& applicationId) {
    return repository_->getLastConsentedAt(applicationId);
}

QVDataMessage<QVConsentRecollectionReason> QVCoreEngineImpl::getConsentRecollectionReason(
    const std::string& applicationId) {
    return repository_->getConsentRecollectionReason(applicationId);
}

QVDataMessage<QVCoreEngine::ConsentList> QVCoreEngineImpl::getCollectedConsentInfo(const std::string& applicationId) {
    return repository_->getCollectedConsentInfo(applicationId);
}

QVDataMessage<std::shared_ptr<QVPackageConsent>> QVCoreEngineImpl::getPackage(const std::string& applicationId,
                                                                              const std::string& packageId) {
    return repository_->getPackage(applicationId, packageId);
}

void QVCoreEngineImpl::addObserver(std::int64_t code, std::any observer, ObserverCallback callback) {
    eventManager_->addObserver(code, std::move(observer), std::move(callback));
}

void QVCoreEngineImpl::removeObserver(std::int64_t code) { eventManager_->removeObserver(code); }

void QVCoreEngineImpl::addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate) {
    eventManager_->addDelegate(code, std::move(delegate));
}

void QVCoreEngineImpl::removeDelegate(std::int64_t code) { eventManager_->removeDelegate(code); }

QVDataMessage<bool> QVCoreEngineImpl::isGCMEnabled() { return repository_->isGCMEnabled(); }

QVDataMessage<QVAppliedGCMData> QVCoreEngineImpl::getAppliedGCMData() { return repository_->getAppliedGCMData(); }

QVDataMessage<std::vector<GoogleConsentData>> QVCoreEngineImpl::getGCMData() { return repository_->getGCMData(); }

} // namespace qvtv
