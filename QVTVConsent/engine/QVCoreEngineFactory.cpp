#include "QVTVConsent/engine/QVCoreEngineFactory.h"

#include <exception>
#include <mutex>

#include "QVTVConsent/adapters/ConsentAdapterSetup.h"
#include "QVTVConsent/adapters/QVAdapterConsentManager.h"
#include "QVTVConsent/engine/QVConsentEventManager.h"
#include "QVTVConsent/engine/QVCoreEngineImpl.h"
#include "QVTVConsent/model/DataFactory.h"

namespace qvtv {
namespace {

const std::string pendingMessage = "SDK Initialisation is pending...";

struct EngineState {
    std::mutex runMutex;  // one initialisation run at a time
    std::mutex mutex;     // guards `result`
    QVCoreEngineFactory::InitialisationResult result{503, pendingMessage};
};

EngineState& state() {
    static EngineState instance;
    return instance;
}

void store(QVCoreEngineFactory::InitialisationResult result) {
    std::lock_guard lock(state().mutex);
    state().result = std::move(result);
}

std::shared_ptr<ConsentRepository> sharedRepository() {
    try {
        return DataFactory::repository();
    } catch (const DataFactoryError&) {
        return nullptr;
    }
}

} // namespace

QVCoreEngineFactory::InitialisationResult QVCoreEngineFactory::initialisationResult() {
    std::lock_guard lock(state().mutex);
    return state().result;
}

QVCoreEngineFactory::InitialisationResult QVCoreEngineFactory::initialise(const QVAuthKey& key,
                                                                          std::optional<std::chrono::milliseconds> timeout) {
    std::lock_guard run(state().runMutex);
    if (auto stored = initialisationResult(); stored.data()) return stored;

    DataFactory::create();
    const auto repository = DataFactory::repository();
    const QVMessage started = repository->initialise(key, timeout).get();
    if (started.code() != 200) {
        InitialisationResult failed(started.code(), started.msg(), started.error());
        store(failed);
        return failed;
    }
    const InitialisationResult initialised(started.code(), started.msg(), started.error(),
                                           std::make_shared<QVCoreEngineImpl>(repository, QVConsentEventManager::shared()));
    store(initialised);

    requestTrackingAuthorization();
    try {
        startAdapters(key, *repository);
    } catch (const std::exception& error) {
        // The engine stays stored: the library works, only the SDKs did not receive consent.
        return InitialisationResult(500, error.what());
    }
    return initialised;
}

void QVCoreEngineFactory::clearSession(bool autoRemoveDelegatesAndObservers) {
    if (auto repository = sharedRepository()) repository->clearSession();
    if (auto manager = QVAdapterConsentManager::shared()) manager->clearSession();
    if (autoRemoveDelegatesAndObservers) QVConsentEventManager::shared()->removeAll();
    store(InitialisationResult(400, pendingMessage));
}

void QVCoreEngineFactory::requestTrackingAuthorization() {
    ConsentAdapterSetup::requestTrackingAuthorization();
}

void QVCoreEngineFactory::startAdapters(const QVAuthKey& key, ConsentRepository& repository) {
    const auto stored = ConsentAdapterSetup::readStoredConsent(repository, key.applicationId());
    ConsentAdapterSetup::setUpAdapters(key.integrationConfigs(), stored);
    ConsentAdapterSetup::applyConsent(stored);
}

} // namespace qvtv
