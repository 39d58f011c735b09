#pragma once
// The library's front door. A host initialises once with its key and receives the public engine
// (or the failure's code and message); it can also clear the session and ask for a locale before
// any engine exists. Initialisation runs off the main thread; the optional completion runs on the
// main queue, and the returned task can be waited on from any thread but the main one.
//
//   qvtv::QVConsentEngineFactory::initialise(qvtv::QVAuthKey("demo-tv-app"), [](const auto& result) {
//       if (result.data()) engine = *result.data();      // on the main queue
//       else showError(result.msg());
//   });

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "QVTVConsent/core/QVAuthKey.h"
#include "QVTVConsent/engine/QVConsentEngine.h"
#include "QVTVConsent/core/QVDataMessage.h"
#include "platform/Task.h"

namespace qvtv {

class QVConsentEngineFactory {
public:
    using Result = QVDataMessage<std::shared_ptr<QVConsentEngine>>;
    using Completion = std::function<void(const Result&)>;

    // Once initialised, later calls answer the same engine without any request. A failed run
    // leaves the library uninitialised, so the next call tries again.
    // `timeout` optionally bounds the wait for the consent service: when it passes first, the
    // requests in flight are cancelled and the answer is 500 "SDK Initialisation timed out", with
    // stored consent and the SDKs left exactly as they were. Without it a run waits as long as
    // the requests take (each has its own 60 s time-out).
    //
    //   qvtv::QVConsentEngineFactory::initialise(key, onResult, std::chrono::seconds(3));
    static platform::Task<Result> initialise(const QVAuthKey& key, Completion completion = {},
                                             std::optional<std::chrono::milliseconds> timeout = std::nullopt);

    // Clears stored consent and keys and returns to the not-initialised state; with the flag set,
    // every delegate and observer is forgotten too.
    static void clearSession(bool autoRemoveDelegatesAndObservers);

    // The stored locale of the application, also before initialisation (200 without a locale).
    static QVDataMessage<std::string> getLocale(const std::string& applicationId);

    // The engine of the last successful run, or the stored state (503 before any run, 400 after a clear).
    static Result currentEngine();

    QVConsentEngineFactory() = delete;
};

} // namespace qvtv
