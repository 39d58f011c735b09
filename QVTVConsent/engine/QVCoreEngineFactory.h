#pragma once
// Runs the library's initialisation and owns the process-wide engine state: the stored result of
// the last initialisation run (holding the core engine once it succeeded). The shared repository
// lives in DataFactory and the shared event manager in QVConsentEventManager::shared(); this is
// the one place that writes the initialisation result, under its own lock, so the host may ask
// for the current engine or clear the session from any thread while a run is in flight.
//
//   auto result = qvtv::QVCoreEngineFactory::initialise(qvtv::QVAuthKey("demo-tv-app"));  // blocks
//   if (result.data()) use(*result.data());

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "QVTVConsent/data/ConsentRepository.h"
#include "QVTVConsent/core/QVAuthKey.h"
#include "QVTVConsent/engine/QVCoreEngine.h"
#include "QVTVConsent/core/QVDataMessage.h"

namespace qvtv {

class QVCoreEngineFactory {
public:
    using InitialisationResult = QVDataMessage<std::shared_ptr<QVCoreEngine>>;

    // The whole initialisation run, blocking the calling thread (never the main thread: the
    // repository's loads wait on the network). Once a run succeeded, later runs return its result
    // without doing anything; runs never overlap.
    // A time-out bounds the loading of the templates (see QVConsentEngineFactory::initialise).
    static InitialisationResult initialise(const QVAuthKey& key,
                                           std::optional<std::chrono::milliseconds> timeout = std::nullopt);

    // 503 "SDK Initialisation is pending..." before the first run, 400 after clearSession, the
    // failure of a failed run, or 200 with the core engine.
    static InitialisationResult initialisationResult();

    // Clears the repository's session and every adapter's, optionally forgets all delegates and
    // observers, and returns to the not-initialised state (400). Safe while a run is in flight:
    // that run's result is discarded and what it stored is cleared when it ends.
    static void clearSession(bool autoRemoveDelegatesAndObservers);

    // Returns the library's process-wide state to how a new process finds it (503, no repository,
    // no adapters, no registrations), so tests can run one after another in one process. Stored
    // consent is left alone: it lives in the files platform::Paths names.
    static void resetForTests();

    // The steps after a successful repository start, in this order. Starting the adapters reads
    // the primary id's stored consent once, builds every adapter already in the state it will be
    // left in, then applies that consent (may throw).
    static void requestTrackingAuthorization();
    static void startAdapters(const QVAuthKey& key, ConsentRepository& repository);

    QVCoreEngineFactory() = delete;
};

} // namespace qvtv
