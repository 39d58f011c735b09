#include "QVTVConsent/data/ConsentRepositoryImpl.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <variant>

#include "QVTVConsent/data/ConsentRecollectionCheck.h"
#include "QVTVConsent/data/PrefsFactory.h"
#include "QVTVConsent/data/ServiceSettings.h"
#include "QVTVConsent/core/Config.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/model/QVPackage.h"
#include "QVTVConsent/model/QVSettingsData.h"
#include "platform/DeviceInfo.h"
#include "platform/RunLoop.h"

namespace qvtv {
namespace {

const std::string internalErrorText = "Internal server error, please contact support";
const std::string contentUnavailable = "Content unavailable! Please verify your initialisation and configuration";
const std::string recollectionRequired = "Consent recollection required!";
const std::string keychainUnreadable = "the keychain cannot be read";

std::string internalError(int number) { return internalErrorText + " (" + std::to_string(number) + ")"; }
std::string notInitialised(int number) {
    return "QVConsentEngine must be initialized before calling this API (" + std::to_string(number) + ")";
}

bool isValidId(const std::optional<std::string>& applicationId) {
    return applicationId &&
           !std::all_of(applicationId->begin(), applicationId->end(), [](unsigned char c) { return std::isspace(c); });
}

// How the platform prints an optional text: nil, or the value wrapped as Optional("...").
std::string describe(const std::optional<std::string>& value) {
    return value ? "Optional(\"" + *value + "\")" : "nil";
}

std::string osVersion() { return "tvOS " + platform::DeviceInfo::systemVersion(); }

template <class T>
QVDataMessage<T> answer(T value) {
    return QVDataMessage<T>(200, "", std::nullopt, std::move(value));
}

} // namespace

ConsentRepositoryImpl::ConsentRepositoryImpl(std::shared_ptr<Prefs> prefs, std::shared_ptr<QVConsentEventManager> events)
    : prefs_(std::move(prefs)),
      events_(std::move(events)),
      language_(prefs_->getLanguage()) {}

// MARK: initialisation

platform::Task<QVMessage> ConsentRepositoryImpl::initialise(const QVAuthKey& authKey,
                                                            std::optional<std::chrono::milliseconds> timeout) {
    return platform::Task<QVMessage>::run(
        platform::DispatchQueue::global(),
        [self = shared_from_this(), authKey, timeout] { return self->runInitialise(authKey, timeout); });
}

QVMessage ConsentRepositoryImpl::timedOut(std::chrono::milliseconds timeout) {
    return QVMessage(500, "SDK Initialisation timed out",
                     "the templates did not arrive within " + std::to_string(timeout.count()) + " ms");
}

QVMessage ConsentRepositoryImpl::runInitialise(const QVAuthKey& authKey,
                                               std::optional<std::chrono::milliseconds> timeout) {
    publish([&authKey](State& state) {
        state.authKey = authKey;
        state.api = std::make_shared<const ConsentApi>(ServiceSettings::session());
    });

    // On a fresh install the client ids are made before the loads start and written while their
    // first requests are out, rather than before them; nothing is answered until that write ended.
    const auto source = [this](const std::optional<std::string>& applicationId) {
        return isValidId(applicationId) ? documentSource(*applicationId) : DocumentSource{};
    };
    const auto primarySource = source(authKey.applicationId());
    const auto secondarySource = source(authKey.secondaryApplicationId());
    std::vector<std::string> reserved;
    if (primarySource.clientId) reserved.push_back(authKey.applicationId());
    if (secondarySource.clientId) reserved.push_back(*authKey.secondaryApplicationId());
    auto idsStored = platform::Task<void>::run(platform::DispatchQueue::background(), [prefs = prefs_, reserved] {
        for (const auto& applicationId : reserved) (void)prefs->storeClientId(applicationId);
    });
    auto answer = runLoads(authKey, timeout, primarySource, secondarySource);
    idsStored.get();
    return answer;
}

QVMessage ConsentRepositoryImpl::runLoads(const QVAuthKey& authKey, std::optional<std::chrono::milliseconds> timeout,
                                          const DocumentSource& primarySource, const DocumentSource& secondarySource) {
    // Both applications download at once; each load polls its own token between and during requests.
    auto self = shared_from_this();
    auto load = [self](bool isPrimary, std::optional<std::string> applicationId, const DocumentSource& source) {
        return platform::Task<QVDataMessage<LoadedApplication>>::run(
            platform::DispatchQueue::global(),
            [self, isPrimary, applicationId = std::move(applicationId), source](const platform::CancellationToken& token) {
                return self->loadApplication(isPrimary, applicationId, source, token);
            });
    };
    auto primaryTask = load(true, authKey.applicationId(), primarySource);
    auto secondaryTask = load(false, authKey.secondaryApplicationId(), secondarySource);

    // With a time-out both loads must end in time before anything is stored (a failed primary
    // ends the wait, as it ends the run), so a run that times out leaves the device as it was.
    if (timeout) {
        const auto deadline = std::chrono::steady_clock::now() + *timeout;
        const bool inTime = primaryTask.waitUntil(deadline) &&
                            (!primaryTask.get().data() || secondaryTask.waitUntil(deadline));
        if (!inTime) {
            primaryTask.cancel();
            secondaryTask.cancel();
            (void)primaryTask.get();
            (void)secondaryTask.get();
            return timedOut(*timeout);
        }
    }

    auto primary = primaryTask.get();
    if (!primary.data()) {
        prefs_->saveConfigError(authKey.applicationId(), QVMessage(primary));
        secondaryTask.cancel();
        (void)secondaryTask.get();
        return QVMessage(primary);
    }
    auto secondary = secondaryTask.get();

    // What both loads leave on the device is committed at once, with one disk sync; the events
    // follow the commit, so a delegate that queries the repository sees the new state.
    const auto& secondaryId = authKey.secondaryApplicationId();
    auto loadedPrimary = *primary.data();
    std::optional<LoadedApplication> loadedSecondary;
    if (secondaryId && secondary.data()) loadedSecondary = *secondary.data();
    QVResponseContainer primaryContainer;
    std::optional<QVResponseContainer> secondaryContainer;
    bool primaryRecollecting = false;
    bool secondaryRecollecting = false;
    (void)prefs_->inOneCommit([&] {
        prefs_->saveConfigError(authKey.applicationId(), std::nullopt);
        primaryContainer = adopt(authKey.applicationId(), loadedPrimary, primaryRecollecting);
        if (secondaryId) {
            prefs_->saveConfigError(*secondaryId, loadedSecondary ? std::nullopt : std::optional(QVMessage(secondary)));
        }
        if (loadedSecondary) secondaryContainer = adopt(*secondaryId, *loadedSecondary, secondaryRecollecting);
        // A template that no longer has consent mode takes the stored configuration with it, so no
        // later application sends signals the site owner has switched off.
        const auto& banner = primaryContainer.qvConsentBannerData;
        prefs_->saveConsentModeConfig(authKey.applicationId(),
                                      banner && banner->gcm ? banner->gcmConfig : std::nullopt);
    });
    publish([&](State& state) {
        state.primary = primaryContainer;
        state.secondary = secondaryContainer;
    });
    if (primaryRecollecting) ConsentRecollectionCheck::announce(*events_, authKey.applicationId(), *loadedPrimary.document);
    if (secondaryRecollecting) ConsentRecollectionCheck::announce(*events_, *secondaryId, *loadedSecondary->document);
    return QVMessage(200, "SDK Initialised successfully");
}

QVResponseContainer ConsentRepositoryImpl::adopt(const std::string& applicationId, LoadedApplication& loaded,
                                                 bool& recollecting) {
    const auto& banner = loaded.container.qvConsentBannerData;
    recollecting = ConsentRecollectionCheck::run(*prefs_, applicationId, *loaded.document, *banner);
    QVResponseContainer container{applicationId, banner, nullptr};
    if (loaded.container.qvPreferenceCenterData) {
        container.qvPreferenceCenterData = std::make_shared<QVPreferenceCenterData>(*loaded.container.qvPreferenceCenterData);
    }
    return container;
}

QVDataMessage<ConsentRepositoryImpl::LoadedApplication> ConsentRepositoryImpl::loadApplication(
    bool isPrimary, const std::optional<std::string>& applicationId, const DocumentSource& source,
    const platform::CancellationToken& token) {
    using Answer = QVDataMessage<LoadedApplication>;
    if (!isValidId(applicationId)) {
        return Answer(409, std::string("Invalid ") + (isPrimary ? "Primary" : "Secondary") +
                               " Application Id: " + describe(applicationId));
    }
    const std::string& id = *applicationId;

    auto document = getOrFetchConsentRecord(id, source, token);
    if (document.isApiError()) return Answer(409, document.apiError().message);
    if (document.isFailure()) return Answer(500, document.failureMessage());
    const auto& locale = document.value()->locale();

    // The preference center's request needs only the locale, so it goes out beside the banner's;
    // its answer is built over the banner's categories once both have arrived. It has a token of
    // its own so a failed banner can drop it at once; cancelling the load still reaches it.
    const auto centerToken = token.child();
    auto centerAnswer = platform::Task<ConsentApi::Exchange>::run(
        platform::DispatchQueue::global(),
        [self = shared_from_this(), id, locale, centerToken] {
            return self->sendPreferenceCenterRequest(id, locale, centerToken);
        });

    auto banner = fetchBannerTemplate(id, locale, token);
    if (!banner.isSuccess()) {
        // The banner's failure is the load's answer; the preference center's is never looked at.
        centerToken.cancel();
        (void)centerAnswer.get();
        if (banner.isApiError()) return Answer(500, banner.apiError().message);
        return Answer(500, banner.failureMessage());
    }

    auto center = preferenceCenterTemplate(centerAnswer.get(), banner.value()->categories);
    if (center.isApiError()) return Answer(500, center.apiError().message);
    if (center.isFailure()) return Answer(500, center.failureMessage());

    return Answer(200, "", std::nullopt,
                  LoadedApplication{document.value(), QVResponseContainer{id, banner.value(), center.value()}});
}

ConsentRepositoryImpl::DocumentSource ConsentRepositoryImpl::documentSource(const std::string& applicationId) {
    if (auto stored = prefs_->getConsentRecord(applicationId)) {
        prefs_->migrateLegacyKeys(applicationId, stored->locale());
        return {stored, std::nullopt};
    }
    return {nullptr, prefs_->reserveClientId(applicationId)};
}

ApiResult<std::shared_ptr<QVDynamic>> ConsentRepositoryImpl::getOrFetchConsentRecord(
    const std::string& applicationId, const DocumentSource& source, const platform::CancellationToken& token) {
    if (source.stored) return ApiResult<std::shared_ptr<QVDynamic>>::success(source.stored);
    // A keychain that cannot be read may hold this device's id and document: a new id would get a
    // new document, which the recollection check would store over the one with the consent.
    const auto& clientId = source.clientId;
    if (!clientId) return ApiResult<std::shared_ptr<QVDynamic>>::failure(internalErrorText + ": " + keychainUnreadable);
    // A fetched document is stored by the recollection check, never here: a load that fails later
    // must leave nothing behind.
    const ConsentApi::Fields params{
        {"MobileApplicationId", applicationId},
        {"ClientSessionId", *clientId},
        {"DeviceManufacturer", platform::DeviceInfo::model()},
        {"SDKVersion", std::string(Config::buildVersion)},
        {"OSVersion", osVersion()},
    };
    return api()->call<std::shared_ptr<QVDynamic>>(HttpMethod::get, ServiceSettings::baseUrl(), "mobileconsent/dynamic", {},
                                                  params, std::nullopt, false, token);
}

ApiResult<std::shared_ptr<QVConsentBannerData>> ConsentRepositoryImpl::fetchBannerTemplate(
    const std::string& applicationId, const std::string& location, const platform::CancellationToken& token) {
    return api()->call<std::shared_ptr<QVConsentBannerData>>(
        HttpMethod::get, ServiceSettings::baseUrl(), "mobilebanner/template/" + applicationId, {},
        {{"Language", language_}, {"Location", location}}, std::nullopt, false, token);
}

ConsentApi::Exchange ConsentRepositoryImpl::sendPreferenceCenterRequest(const std::string& applicationId,
                                                                        const std::string& location,
                                                                        const platform::CancellationToken& token) {
    return api()->send(HttpMethod::get, ServiceSettings::baseUrl(), "mobilepreferencecenter/template/" + applicationId,
                      {}, {{"Language", language_}, {"Location", location}}, std::nullopt, token);
}

ApiResult<std::shared_ptr<QVPreferenceCenterData>> ConsentRepositoryImpl::preferenceCenterTemplate(
    ConsentApi::Exchange answer, const std::vector<std::shared_ptr<QVCategory>>& categories) {
    return ConsentApi::received<std::shared_ptr<QVPreferenceCenterData>>(
        std::move(answer), false,
        [&categories](const nlohmann::json& object) { return QVPreferenceCenterData::fromJson(object, categories); });
}

std::shared_ptr<const ConsentApi> ConsentRepositoryImpl::api() const {
    auto api = state()->api;
    // initialise makes the client before any request; reaching here without one is a bug in the caller.
    if (!api) throw std::logic_error("the repository's client is made by initialise");
    return api;
}

std::shared_ptr<const ConsentRepositoryImpl::State> ConsentRepositoryImpl::state() const {
    std::lock_guard lock(stateMutex_);
    return state_;
}

void ConsentRepositoryImpl::publish(const std::function<void(State&)>& change) {
    std::lock_guard lock(stateMutex_);
    auto next = std::make_shared<State>(*state_);
    change(*next);
    state_ = std::move(next);
}

std::optional<QVAuthKey> ConsentRepositoryImpl::authKey() const { return state()->authKey; }

// MARK: queries

QVDataMessage<QVConsentStatus> ConsentRepositoryImpl::getConsentStatus(const std::string& applicationId) {
    const auto status = prefs_->getConsentStatus(applicationId);
    return QVDataMessage<QVConsentStatus>(200, std::string(rawValue(status)), std::nullopt, status);
}

QVDataMessage<std::int64_t> ConsentRepositoryImpl::getLastConsentedAt(const std::string& applicationId) {
    if (auto stored = prefs_->getLastConsentedAt(applicationId)) return answer(*stored);
    switch (prefs_->getConsentStatus(applicationId)) {
    case QVConsentStatus::collected: return QVDataMessage<std::int64_t>(500, internalError(1030));
    case QVConsentStatus::pending: return QVDataMessage<std::int64_t>(404, recollectionRequired);
    case QVConsentStatus::recollectionRequired: break;
    }
    return QVDataMessage<std::int64_t>(1029, recollectionRequired);
}

QVDataMessage<QVConsentRecollectionReason> ConsentRepositoryImpl::getConsentRecollectionReason(
    const std::string& applicationId) {
    if (auto reason = prefs_->getConsentRecollectionReason(applicationId)) return answer(*reason);
    if (prefs_->getConsentStatus(applicationId) == QVConsentStatus::recollectionRequired) {
        return QVDataMessage<QVConsentRecollectionReason>(500, internalError(1031));
    }
    return QVDataMessage<QVConsentRecollectionReason>(404, "Consent Recollection not required.");
}

QVDataMessage<ConsentRepository::ConsentList> ConsentRepositoryImpl::getCollectedConsentInfo(
    const std::string& applicationId) {
    using Answer = QVDataMessage<ConsentList>;
    switch (prefs_->getConsentStatus(applicationId)) {
    case QVConsentStatus::pending: return Answer(404, "Consent data not found! Pending Consent collection");
    case QVConsentStatus::recollectionRequired: return Answer(404, recollectionRequired);
    case QVConsentStatus::collected: break;
    }
    if (auto document = prefs_->getConsentRecord(applicationId)) return answer(document->subConsents());
    return Answer(500, internalError(isSecondaryId(applicationId) ? 1008 : 1007));
}

QVDataMessage<std::shared_ptr<QVPackageConsent>> ConsentRepositoryImpl::getPackage(const std::string& applicationId,
                                                                                   const std::string& packageId) {
    using Answer = QVDataMessage<std::shared_ptr<QVPackageConsent>>;
    const auto info = getCollectedConsentInfo(applicationId);
    if (!info.data()) return Answer(info.code(), info.msg(), info.error());
    for (const auto& category : *info.data()) {
        for (const auto& package : category->subConsents()) {
            if (package->packageId() == packageId) return answer(package);
        }
    }
    return Answer(200, "");
}

QVDataMessage<QVConsentType> ConsentRepositoryImpl::getConsentType(const std::string& applicationId) {
    using Answer = QVDataMessage<QVConsentType>;
    if (!prefs_->getConsentRecord(applicationId)) return Answer(500, notInitialised(1034), "1034");
    const auto container = containerFor(applicationId);
    if (container && container->qvConsentBannerData) return answer(container->qvConsentBannerData->consentType);
    return Answer(500, internalError(1022));
}

QVDataMessage<std::string> ConsentRepositoryImpl::getLocale(const std::string& applicationId) {
    if (auto document = prefs_->getConsentRecord(applicationId)) return answer(document->locale());
    return QVDataMessage<std::string>(404, "", internalError(1014));
}

QVDataMessage<std::string> ConsentRepositoryImpl::getClientId(const std::string& applicationId) {
    if (auto document = prefs_->getConsentRecord(applicationId)) return answer(document->clientId());
    return QVDataMessage<std::string>(404, "");
}

QVDataMessage<bool> ConsentRepositoryImpl::isGCMEnabled() {
    const auto& primary = state()->primary;
    if (primary && primary->qvConsentBannerData) return answer(primary->qvConsentBannerData->gcm);
    return QVDataMessage<bool>(500, "", std::nullopt, false);
}

QVDataMessage<std::vector<GoogleConsentData>> ConsentRepositoryImpl::getGCMData() {
    using Answer = QVDataMessage<std::vector<GoogleConsentData>>;
    const auto key = authKey();
    if (!key) return Answer(500, contentUnavailable);
    if (auto config = prefs_->getConsentModeConfig(key->applicationId())) return answer(config->gcm);
    return Answer(500, internalError(1016));
}

QVDataMessage<QVAppliedGCMData> ConsentRepositoryImpl::getAppliedGCMData() {
    if (auto applied = prefs_->getAppliedGCMData()) return answer(*applied);
    return QVDataMessage<QVAppliedGCMData>(400, internalError(1015));
}

// MARK: templates

std::optional<QVResponseContainer> ConsentRepositoryImpl::containerFor(const std::string& applicationId) const {
    const auto current = state();
    if (current->primary && current->primary->applicationId == applicationId) return current->primary;
    if (current->secondary && current->secondary->applicationId == applicationId) return current->secondary;
    return std::nullopt;
}

ConsentRepositoryImpl::ConsentMap ConsentRepositoryImpl::consentMap(const QVDynamic& document) {
    ConsentMap map;
    for (const auto& category : document.subConsents()) {
        for (const auto& package : category->subConsents()) map[package->packageId()] = package->isEnabled();
    }
    return map;
}

void ConsentRepositoryImpl::applyStoredConsent(const std::string& applicationId, QVConsentType consentType,
                                               const ConsentMap& consentMap,
                                               const std::vector<std::shared_ptr<QVCategory>>& categories) {
    const bool allOn = prefs_->getConsentStatus(applicationId) != QVConsentStatus::collected &&
                       consentType == QVConsentType::implict;
    for (const auto& category : categories) {
        for (const auto& package : category->packages) {
            if (allOn || category->type == QVCategoryType::essential) {
                package->setEnabled(true);
            } else {
                const auto stored = consentMap.find(package->packageId());
                package->setEnabled(stored != consentMap.end() && stored->second);
            }
            package->isExpanded = false;
        }
    }
}

void ConsentRepositoryImpl::prepareCategories(const std::string& applicationId, QVConsentType consentType,
                                              const std::vector<std::shared_ptr<QVCategory>>& categories) {
    if (auto document = prefs_->getConsentRecord(applicationId)) {
        applyStoredConsent(applicationId, consentType, consentMap(*document), categories);
    }
    for (const auto& category : categories) {
        category->isExpanded = false;
        category->isEnabled = category->type == QVCategoryType::essential ||
                              std::any_of(category->packages.begin(), category->packages.end(),
                                          [](const auto& package) { return package->isEnabled(); });
    }
}

QVDataMessage<std::shared_ptr<QVConsentBannerData>> ConsentRepositoryImpl::getBannerData(
    const std::string& applicationId) {
    const auto container = containerFor(applicationId);
    if (!container || !container->qvConsentBannerData) {
        return QVDataMessage<std::shared_ptr<QVConsentBannerData>>(500, notInitialised(1032), "1032");
    }
    const auto& banner = container->qvConsentBannerData;
    prepareCategories(applicationId, banner->consentType, banner->categories);
    return answer(banner);
}

QVDataMessage<std::shared_ptr<QVPreferenceCenterData>> ConsentRepositoryImpl::getPreferenceCenterData(
    const std::string& applicationId) {
    using Answer = QVDataMessage<std::shared_ptr<QVPreferenceCenterData>>;
    const auto banner = getBannerData(applicationId);
    if (!banner.data()) return Answer(500, notInitialised(1033), "1033");
    const auto container = containerFor(applicationId);
    if (!container || !container->qvPreferenceCenterData) return Answer(500, internalErrorText);
    const auto& center = container->qvPreferenceCenterData;
    for (const auto& tab : center->tabs) {
        if (const auto* settings = std::get_if<std::shared_ptr<QVSettingsData>>(&tab.content); settings && *settings) {
            prepareCategories(applicationId, (*banner.data())->consentType, (*settings)->categories);
        }
    }
    return answer(center);
}

std::optional<bool> ConsentRepositoryImpl::doNotStoreConsent(const std::string& applicationId) {
    const auto current = state();
    const auto& secondary = current->secondary;
    const auto& container = secondary && secondary->applicationId == applicationId ? secondary : current->primary;
    if (!container || !container->qvConsentBannerData) return std::nullopt;
    return container->qvConsentBannerData->doNotStoreConsent;
}

std::optional<QVMessage> ConsentRepositoryImpl::getConfigError(const std::string& applicationId) {
    return prefs_->getConfigError(applicationId);
}

bool ConsentRepositoryImpl::isSecondaryId(const std::string& applicationId) const {
    const auto key = authKey();
    return key && key->secondaryApplicationId() == applicationId;
}

// MARK: saving

platform::Task<QVDataMessage<ConsentRepository::ConsentList>> ConsentRepositoryImpl::saveConsent(
    const std::string& applicationId, std::vector<std::shared_ptr<QVCategory>> categories, bool isRejectAll) {
    return platform::Task<QVDataMessage<ConsentList>>::run(
        platform::DispatchQueue::global(),
        [self = shared_from_this(), applicationId, categories = std::move(categories), isRejectAll] {
            return self->runSaveConsent(applicationId, categories, isRejectAll);
        });
}

QVDataMessage<ConsentRepository::ConsentList> ConsentRepositoryImpl::runSaveConsent(
    const std::string& applicationId, const std::vector<std::shared_ptr<QVCategory>>& categories, bool isRejectAll) {
    using Answer = QVDataMessage<ConsentList>;
    const auto document = prefs_->getConsentRecord(applicationId);
    if (!document) {
        const int number = isSecondaryId(applicationId) ? 1018 : 1017;
        return Answer(500, notInitialised(number), std::to_string(number));
    }

    nlohmann::json allConsents = nlohmann::json::array();
    for (const auto& category : categories) {
        allConsents.push_back(QVConsentData::saveJson(category->type, category->packages, isRejectAll));
    }
    ConsentList consents;
    for (const auto& object : allConsents) {
        auto record = QVConsentData::fromJson(object);
        if (!record) return Answer(500, internalErrorText, record.error().localizedDescription());
        consents.push_back(*record);
    }

    if (doNotStoreConsent(applicationId) == true) {
        return saveLocalConsent(*document, applicationId, std::move(consents), isRejectAll);
    }
    const auto clientId = prefs_->getClientId(applicationId);
    if (!clientId) return Answer(500, internalErrorText, keychainUnreadable);
    const nlohmann::json body{
        {"ScreenURI", "Application"},
        {"ClientId", document->clientId()},
        {"ClientSessionId", *clientId},
        {"DeviceManufacturer", platform::DeviceInfo::model()},
        {"MobileApplicationId", applicationId},
        {"SDKVersion", std::string(Config::buildVersion)},
        {"OSVersion", osVersion()},
        {"AllConsents", std::move(allConsents)},
    };
    auto sent = api()->call<ApiNoContent>(HttpMethod::post, ServiceSettings::baseUrl(), "mobileconsent", {}, {}, body, true);
    if (sent.isApiError()) return Answer(409, sent.apiError().message);
    if (sent.isFailure()) return Answer(500, sent.failureMessage());
    return saveLocalConsent(*document, applicationId, std::move(consents), isRejectAll);
}

QVDataMessage<ConsentRepository::ConsentList> ConsentRepositoryImpl::saveLocalConsent(const QVDynamic& record,
                                                                                       const std::string& applicationId,
                                                                                       ConsentList consents,
                                                                                       bool isRejectAll) {
    const auto document = std::make_shared<QVDynamic>(record.locale(), record.clientId(), consents,
                                                      record.isConsentRecordingAllowed());
    prefs_->saveLastConsentedAt(applicationId, platform::RunLoop::main().clock()->wallMillis());
    prefs_->saveRecollectionReason(applicationId, std::nullopt);
    prefs_->saveConsentRecord(applicationId, *document);
    prefs_->saveConsentStatus(applicationId, QVConsentStatus::collected);

    if (isRejectAll) {
        if (auto container = containerFor(applicationId); container && container->qvConsentBannerData) {
            // Template flags belong to the main queue, where the screens read and change them; the
            // change lands there before the saving screen's continuation does.
            platform::DispatchQueue::main().async([banner = container->qvConsentBannerData] {
                for (const auto& category : banner->categories) {
                    category->isEnabled = category->type == QVCategoryType::essential;
                    for (const auto& package : category->packages) package->setEnabled(category->isEnabled);
                }
            });
        }
    }
    return answer(std::move(consents));
}

void ConsentRepositoryImpl::clearSession() {
    publish([](State& state) {
        state.authKey.reset();
        state.primary.reset();
        state.secondary.reset();
    });
    prefs_->clearSession();
}

nlohmann::json toDictionaryValue(const std::shared_ptr<QVConsentBannerData>&) { return "QVConsentBannerData"; }
nlohmann::json toDictionaryValue(const std::shared_ptr<QVPreferenceCenterData>&) { return "QVPreferenceCenterData"; }
nlohmann::json toDictionaryValue(const ConsentRepositoryImpl::LoadedApplication& loaded) {
    return {{"document", loaded.document ? loaded.document->toJson() : nlohmann::json(nullptr)},
            {"applicationId", loaded.container.applicationId}};
}

// The shared slot's factory lives here, beside the one repository it makes.
void DataFactory::create() {
    DataFactory::setRepository(
        std::make_shared<ConsentRepositoryImpl>(PrefsFactory::create(), QVConsentEventManager::shared()));
}

} // namespace qvtv
