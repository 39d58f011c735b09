#include "QVTVConsent/engine/QVCoreEngineFactory.h"

#include <cstdint>
#include <exception>
#include <mutex>
#include <optional>

#include "QVTVConsent/adapters/AdapterFactory.h"
#include "QVTVConsent/adapters/ConsentAdapterSetup.h"
#include "QVTVConsent/adapters/QVAdapterConsentManager.h"
#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/engine/QVCoreEngineImpl.h"
#include "QVTVConsent/data/DataFactory.h"
#include "platform/NoDestructor.h"

namespace qvtv {
namespace {

constexpr const char* pendingMessage = "SDK Initialisation is pending...";

// The process-wide engine state. Runs never overlap (`runMutex`). clearSession never waits for a
// run in flight, since that run may itself be waiting on the main queue (the tracking prompt),
// where hosts usually clear: it starts a new generation instead. A run stores its result only
// while its generation is current; one that outlived its generation stores nothing and clears
// what it wrote, so a clear always wins over a run that overlapped it.
struct EngineState {
    std::mutex runMutex;
    std::mutex mutex;  // guards `result` and `generation`
    QVCoreEngineFactory::InitialisationResult result{503, pendingMessage};
    std::uint64_t generation = 0;
};

EngineState& state() {
    static platform::NoDestructor<EngineState> instance;
    return *instance;
}

std::uint64_t currentGeneration() {
    std::lock_guard lock(state().mutex);
    return state().generation;
}

bool storeIfCurrent(std::uint64_t generation, const QVCoreEngineFactory::InitialisationResult& result) {
    std::lock_guard lock(state().mutex);
    if (state().generation != generation) return false;
    state().result = result;
    return true;
}

std::shared_ptr<ConsentRepository> sharedRepository() {
    try {
        return DataFactory::repository();
    } catch (const DataFactoryError&) {
        return nullptr;
    }
}

// Stored consent, keys, templates and the adapters' sessions; registrations are the caller's call.
void clearStoredState(ConsentRepository* repository) {
    if (repository) repository->clearSession();
    if (auto manager = QVAdapterConsentManager::shared()) manager->clearSession();
}

// What a run overtaken by clearSession answers, after undoing what it wrote meanwhile.
QVCoreEngineFactory::InitialisationResult abandon(ConsentRepository& repository) {
    clearStoredState(&repository);
    return QVCoreEngineFactory::InitialisationResult(400, pendingMessage);
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
    const auto generation = currentGeneration();

    DataFactory::create();
    const auto repository = DataFactory::repository();
    const QVMessage started = repository->initialise(key, timeout).get();
    if (started.code() != 200) {
        InitialisationResult failed(started.code(), started.msg(), started.error());
        if (!storeIfCurrent(generation, failed)) return abandon(*repository);
        return failed;
    }
    const InitialisationResult initialised(started.code(), started.msg(), started.error(),
                                           std::make_shared<QVCoreEngineImpl>(repository, QVConsentEventManager::shared()));
    if (!storeIfCurrent(generation, initialised)) return abandon(*repository);

    requestTrackingAuthorization();
    std::optional<InitialisationResult> unapplied;
    try {
        startAdapters(key, *repository);
    } catch (const std::exception& error) {
        // The engine stays stored: the library works, only the SDKs did not receive consent.
        unapplied.emplace(500, error.what());
    }
    if (currentGeneration() != generation) return abandon(*repository);
    return unapplied.value_or(initialised);
}

void QVCoreEngineFactory::clearSession(bool autoRemoveDelegatesAndObservers) {
    {
        std::lock_guard lock(state().mutex);
        ++state().generation;
        state().result = InitialisationResult(400, pendingMessage);
    }
    clearStoredState(sharedRepository().get());
    if (autoRemoveDelegatesAndObservers) QVConsentEventManager::shared()->removeAll();
}

void QVCoreEngineFactory::resetForTests() {
    {
        std::lock_guard lock(state().mutex);
        ++state().generation;
        state().result = InitialisationResult(503, pendingMessage);
    }
    DataFactory::setRepository(nullptr);
    QVAdapterConsentManager::setShared(nullptr);
    AdapterFactory::clearRegisteredPackages();
    QVConsentEventManager::shared()->removeAll();
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
