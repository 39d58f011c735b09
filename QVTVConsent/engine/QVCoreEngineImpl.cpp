#include "QVTVConsent/engine/QVCoreEngineImpl.h"

#include "QVTVConsent/core/QVAuthKey.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/engine/QVScreenLayer.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/data/DataFactoryError.h"
#include "platform/DispatchQueue.h"
#include "tvkit/app/ViewController.h"

namespace qvtv {
namespace {

constexpr const char* tag = "QVCoreEngineImpl";
constexpr double toastDuration = 2.0;
// How long the toast about a missing template waits after the overlay has gone.
constexpr auto bannerToastDelay = std::chrono::milliseconds(500);
constexpr auto preferenceCenterToastDelay = std::chrono::milliseconds(300);

QVError notCreatedError(const DataFactoryError& error) { return QVError{"DataFactoryError", 0, error.what()}; }

std::string describe(const tvkit::ViewController& controller) {
    return controller.title().empty() ? "ViewController" : "ViewController \"" + controller.title() + "\"";
}

void showToastOn(const std::weak_ptr<tvkit::ViewController>& host, const std::string& message) {
    if (auto controller = host.lock()) QVScreenLayer::showToast(*controller, message, toastDuration);
}

QVDataMessage<std::shared_ptr<QVConsentBannerData>> fetchTemplate(ConsentRepository& repository,
                                                                  const std::string& applicationId,
                                                                  const QVConsentBannerData*) {
    return repository.getBannerData(applicationId);
}

QVDataMessage<std::shared_ptr<QVPreferenceCenterData>> fetchTemplate(ConsentRepository& repository,
                                                                     const std::string& applicationId,
                                                                     const QVPreferenceCenterData*) {
    return repository.getPreferenceCenterData(applicationId);
}

// Steps shared by the four show operations once the repository and the id are known: refuse with
// the stored configuration error, else answer 200 and present the screen on the main queue's next
// turn, after the overlay is up. The template is prepared there too: getBannerData and
// getPreferenceCenterData set the consent flags of template objects that open screens share, and
// those flags belong to the main queue.
template <class Data>
QVMessage showScreen(ConsentRepository& repository, const std::string& applicationId,
                     const std::shared_ptr<tvkit::ViewController>& host, QVScreenBuilder<Data> builder,
                     platform::Clock::Duration toastDelay) {
    if (auto stored = repository.getConfigError(applicationId)) return *stored;
    QVScreenLayer::showLoading();
    std::weak_ptr<tvkit::ViewController> weakHost = host;
    platform::DispatchQueue::main().async([applicationId, weakHost, builder = std::move(builder), toastDelay] {
        QVScreenLayer::hideLoading();
        std::shared_ptr<ConsentRepository> current;
        try {
            current = DataFactory::repository();
        } catch (const DataFactoryError& error) {
            showToastOn(weakHost, error.what());
            return;
        }
        auto envelope = fetchTemplate(*current, applicationId, static_cast<const Data*>(nullptr));
        if (!envelope.data() || !*envelope.data()) {
            platform::DispatchQueue::main().asyncAfter(
                toastDelay, [weakHost, message = envelope.msg()] { showToastOn(weakHost, message); });
            return;
        }
        auto controller = weakHost.lock();
        if (!controller) return;
        auto screen = builder ? builder(applicationId, *envelope.data()) : nullptr;
        if (!screen) {
            QVLogger::e(tag, "show(" + applicationId + ") => the screen builder made no screen");
            return;
        }
        controller->present(std::move(screen), true);
    });
    return QVMessage(200, "");
}

} // namespace

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

QVMessage QVCoreEngineImpl::showConsentBannerFor(const std::string& applicationId,
                                                 const std::shared_ptr<tvkit::ViewController>& host,
                                                 QVScreenBuilder<QVConsentBannerData> builder) {
    auto repository = DataFactory::repository();
    return showScreen(*repository, applicationId, host, std::move(builder), bannerToastDelay);
}

QVMessage QVCoreEngineImpl::showConsentBanner(const std::shared_ptr<tvkit::ViewController>& host,
                                              QVScreenBuilder<QVConsentBannerData> builder) {
    return showKeyBanner(false, host, std::move(builder));
}

QVMessage QVCoreEngineImpl::showSecondaryBanner(const std::shared_ptr<tvkit::ViewController>& host,
                                                QVScreenBuilder<QVConsentBannerData> builder) {
    return showKeyBanner(true, host, std::move(builder));
}

QVMessage QVCoreEngineImpl::showKeyBanner(bool secondary, const std::shared_ptr<tvkit::ViewController>& host,
                                          QVScreenBuilder<QVConsentBannerData> builder) {
    std::shared_ptr<ConsentRepository> repository;
    try {
        repository = DataFactory::repository();
    } catch (const DataFactoryError& error) {
        const std::string operation = secondary ? "showSecondaryBanner(in " : "showConsentBanner(in ";
        QVLogger::e(tag, operation + (host ? describe(*host) : "nil"), notCreatedError(error));
        return QVMessage(500, "Internal server error, please contact support", error.what());
    }
    const auto& key = repository->authKey();
    if (!key || (secondary && !key->secondaryApplicationId())) {
        return QVMessage(500, "Content unavailable! Please verify your initialisation and configuration");
    }
    const std::string& applicationId = secondary ? *key->secondaryApplicationId() : key->applicationId();
    return showScreen(*repository, applicationId, host, std::move(builder), bannerToastDelay);
}

QVMessage QVCoreEngineImpl::showPreferenceCenter(const std::string& applicationId,
                                                 const std::shared_ptr<tvkit::ViewController>& host,
                                                 QVScreenBuilder<QVPreferenceCenterData> builder) {
    auto repository = DataFactory::repository();
    return showScreen(*repository, applicationId, host, std::move(builder), preferenceCenterToastDelay);
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
