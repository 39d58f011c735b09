#include "QVTVConsent/engine/QVConsentEngineFactory.h"

#include <mutex>

#include "QVTVConsent/engine/QVConsentEngineImpl.h"
#include "QVTVConsent/engine/QVCoreEngineFactory.h"
#include "QVTVConsent/engine/QVLogger.h"
#include "QVTVConsent/model/DataFactory.h"

namespace qvtv {
namespace {

// Hands out one public engine per core engine, so every caller sees the same object.
std::shared_ptr<QVConsentEngine> publicEngine(const std::shared_ptr<QVCoreEngine>& core) {
    static std::mutex mutex;
    static std::weak_ptr<QVCoreEngine> lastCore;
    static std::shared_ptr<QVConsentEngine> lastEngine;
    std::lock_guard lock(mutex);
    if (lastCore.lock() != core || !lastEngine) {
        lastCore = core;
        lastEngine = std::make_shared<QVConsentEngineImpl>(core);
    }
    return lastEngine;
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
