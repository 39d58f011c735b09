#include "QVTVConsent/engine/QVConsentEngineFactory.h"

#include <mutex>

#include "QVTVConsent/engine/QVConsentEngineImpl.h"
#include "QVTVConsent/engine/QVCoreEngineFactory.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/data/DataFactory.h"
#include "platform/NoDestructor.h"

namespace qvtv {
namespace {

// Hands out one public engine per core engine, so every caller sees the same object.
std::shared_ptr<QVConsentEngine> publicEngine(const std::shared_ptr<QVCoreEngine>& core) {
    struct Handed {
        std::mutex mutex;
        std::weak_ptr<QVCoreEngine> core;
        std::shared_ptr<QVConsentEngine> engine;
    };
    static platform::NoDestructor<Handed> handed;
    std::lock_guard lock(handed->mutex);
    if (handed->core.lock() != core || !handed->engine) {
        handed->core = core;
        handed->engine = std::make_shared<QVConsentEngineImpl>(core);
    }
    return handed->engine;
}

QVConsentEngineFactory::Result wrap(const QVCoreEngineFactory::InitialisationResult& core) {
    if (!core.data()) return QVConsentEngineFactory::Result(core.code(), core.msg(), core.error());
    return QVConsentEngineFactory::Result(core.code(), core.msg(), core.error(), publicEngine(*core.data()));
}

} // namespace

platform::Task<QVConsentEngineFactory::Result> QVConsentEngineFactory::initialise(
    const QVAuthKey& key, Completion completion, std::optional<std::chrono::milliseconds> timeout) {
    auto task = platform::Task<Result>::run(platform::DispatchQueue::global(), [key, timeout] {
        return wrap(QVCoreEngineFactory::initialise(key, timeout));
    });
    if (completion) {
        task.then(platform::DispatchQueue::main(), [completion = std::move(completion)](const Result& result) {
            completion(result);
        });
    }
    return task;
}

void QVConsentEngineFactory::clearSession(bool autoRemoveDelegatesAndObservers) {
    QVCoreEngineFactory::clearSession(autoRemoveDelegatesAndObservers);
}

QVDataMessage<std::string> QVConsentEngineFactory::getLocale(const std::string& applicationId) {
    std::shared_ptr<ConsentRepository> repository;
    try {
        repository = DataFactory::repository();
    } catch (const DataFactoryError&) {
        const std::string text = "Locale info is currently unavailable 1026";
        QVLogger::e("QVCoreEngineFactory", "getLocale() : " + text);
        return QVDataMessage<std::string>(200, text, text);
    }
    return repository->getLocale(applicationId);
}

QVConsentEngineFactory::Result QVConsentEngineFactory::currentEngine() {
    return wrap(QVCoreEngineFactory::initialisationResult());
}

} // namespace qvtv
