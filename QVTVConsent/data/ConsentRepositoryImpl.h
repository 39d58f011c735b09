#pragma once
// The consent repository: loads the consent document and both templates of the primary and the
// secondary application id (concurrently), keeps the templates, answers every consent query from
// the preferences store with its fixed codes and messages, and saves the viewer's choice on the
// service and the device. Made by DataFactory::create() at each initialisation run.
//
//   auto repo = std::make_shared<qvtv::ConsentRepositoryImpl>(prefs, qvtv::QVConsentEventManager::shared());
//   auto started = repo->initialise(qvtv::QVAuthKey("demo-tv-app")).get();   // 200 "SDK Initialised successfully"
//   repo->getConsentStatus("demo-tv-app");                                     // 200 "Pending"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "QVTVConsent/data/ConsentApi.h"
#include "QVTVConsent/data/ConsentRepository.h"
#include "QVTVConsent/data/Prefs.h"
#include "QVTVConsent/data/QVResponseContainer.h"
#include "QVTVConsent/core/QVAuthKey.h"
#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVDynamic.h"

namespace qvtv {

// Envelopes carrying a template name it in their dictionary form.
nlohmann::json toDictionaryValue(const std::shared_ptr<QVConsentBannerData>& banner);
nlohmann::json toDictionaryValue(const std::shared_ptr<QVPreferenceCenterData>& center);

class ConsentRepositoryImpl final : public ConsentRepository,
                                    public std::enable_shared_from_this<ConsentRepositoryImpl> {
public:
    // What a successful load of one application id yields.
    struct LoadedApplication {
        std::shared_ptr<QVDynamic> document;
        QVResponseContainer container;
    };
    using ConsentMap = std::map<std::string, bool>;  // package id to its stored isEnabled
    // What a load gets its consent document from: the stored one, else the service asked with the
    // client id; neither while the keychain cannot be read.
    struct DocumentSource {
        std::shared_ptr<QVDynamic> stored;
        std::optional<std::string> clientId;
    };

    ConsentRepositoryImpl(std::shared_ptr<Prefs> prefs, std::shared_ptr<QVConsentEventManager> events);

    platform::Task<QVMessage> initialise(const QVAuthKey& authKey,
                                         std::optional<std::chrono::milliseconds> timeout = std::nullopt) override;

    // The answer of an initialise whose time-out passed: 500 "SDK Initialisation timed out".
    static QVMessage timedOut(std::chrono::milliseconds timeout);

    QVDataMessage<QVConsentStatus> getConsentStatus(const std::string& applicationId) override;
    QVDataMessage<std::int64_t> getLastConsentedAt(const std::string& applicationId) override;
    QVDataMessage<QVConsentRecollectionReason> getConsentRecollectionReason(const std::string& applicationId) override;
    QVDataMessage<ConsentList> getCollectedConsentInfo(const std::string& applicationId) override;
    QVDataMessage<std::shared_ptr<QVPackageConsent>> getPackage(const std::string& applicationId,
                                                                const std::string& packageId) override;
    QVDataMessage<QVConsentType> getConsentType(const std::string& applicationId) override;
    QVDataMessage<std::string> getLocale(const std::string& applicationId) override;
    QVDataMessage<std::string> getClientId(const std::string& applicationId) override;
    QVDataMessage<bool> isGCMEnabled() override;
    QVDataMessage<std::vector<GoogleConsentData>> getGCMData() override;
    QVDataMessage<QVAppliedGCMData> getAppliedGCMData() override;
    QVDataMessage<std::shared_ptr<QVConsentBannerData>> getBannerData(const std::string& applicationId) override;
    QVDataMessage<std::shared_ptr<QVPreferenceCenterData>> getPreferenceCenterData(
        const std::string& applicationId) override;
    platform::Task<QVDataMessage<ConsentList>> saveConsent(const std::string& applicationId,
                                                           std::vector<std::shared_ptr<QVCategory>> categories,
                                                           bool isRejectAll) override;
    void clearSession() override;
    std::optional<bool> doNotStoreConsent(const std::string& applicationId) override;
    std::optional<QVMessage> getConfigError(const std::string& applicationId) override;

    std::optional<QVAuthKey> authKey() const override;
    const std::shared_ptr<Prefs>& prefs() const override { return prefs_; }
    std::optional<QVResponseContainer> containerFor(const std::string& applicationId) const;

    // The steps of initialise, public so tests can drive one load at a time. A new client id
    // that documentSource reserves is not stored yet (Prefs::storeClientId does that).
    DocumentSource documentSource(const std::string& applicationId);
    QVDataMessage<LoadedApplication> loadApplication(bool isPrimary, const std::optional<std::string>& applicationId,
                                                     const DocumentSource& source,
                                                     const platform::CancellationToken& token);
    ApiResult<std::shared_ptr<QVDynamic>> getOrFetchConsentRecord(const std::string& applicationId,
                                                                  const DocumentSource& source,
                                                                  const platform::CancellationToken& token);
    ApiResult<std::shared_ptr<QVConsentBannerData>> fetchBannerTemplate(const std::string& applicationId,
                                                                        const std::string& location,
                                                                        const platform::CancellationToken& token);
    // The preference center's request and, once the banner's categories are known, its template.
    ConsentApi::Exchange sendPreferenceCenterRequest(const std::string& applicationId, const std::string& location,
                                                     const platform::CancellationToken& token);
    static ApiResult<std::shared_ptr<QVPreferenceCenterData>> preferenceCenterTemplate(
        ConsentApi::Exchange answer, const std::vector<std::shared_ptr<QVCategory>>& categories);

    // Sets every package's isEnabled from the stored consent (all on for implicit consent not yet
    // collected; essential always on) and folds every package.
    void applyStoredConsent(const std::string& applicationId, QVConsentType consentType, const ConsentMap& consentMap,
                            const std::vector<std::shared_ptr<QVCategory>>& categories);
    QVDataMessage<ConsentList> saveLocalConsent(const QVDynamic& record, const std::string& applicationId,
                                                ConsentList consents, bool isRejectAll);

    static ConsentMap consentMap(const QVDynamic& document);

private:
    QVMessage runInitialise(const QVAuthKey& authKey, std::optional<std::chrono::milliseconds> timeout);
    QVMessage runLoads(const QVAuthKey& authKey, std::optional<std::chrono::milliseconds> timeout,
                       const DocumentSource& primarySource, const DocumentSource& secondarySource);
    QVDataMessage<ConsentList> runSaveConsent(const std::string& applicationId,
                                              const std::vector<std::shared_ptr<QVCategory>>& categories,
                                              bool isRejectAll);
    // The checks and container set-up that follow a successful load; `recollecting` tells whether
    // consent must be collected again (announced once the check's writes are committed).
    QVResponseContainer adopt(const std::string& applicationId, LoadedApplication& loaded, bool& recollecting);
    void prepareCategories(const std::string& applicationId, QVConsentType consentType,
                           const std::vector<std::shared_ptr<QVCategory>>& categories);
    bool isSecondaryId(const std::string& applicationId) const;
    std::shared_ptr<const ConsentApi> api() const;

    // What initialise sets and clearSession empties. The initialising task and clearSession write
    // it while queries (caller's thread) and saves (the pool) read it, so it is never changed in
    // place: a writer publishes a changed copy under the lock and a reader keeps the snapshot it
    // took, whole and consistent, for the rest of its operation.
    struct State {
        std::optional<QVAuthKey> authKey;
        std::shared_ptr<const ConsentApi> api;
        std::optional<QVResponseContainer> primary;
        std::optional<QVResponseContainer> secondary;
    };
    std::shared_ptr<const State> state() const;
    void publish(const std::function<void(State&)>& change);

    std::shared_ptr<Prefs> prefs_;
    std::shared_ptr<QVConsentEventManager> events_;
    std::string language_;
    mutable std::mutex stateMutex_;
    std::shared_ptr<const State> state_ = std::make_shared<const State>();
};

nlohmann::json toDictionaryValue(const ConsentRepositoryImpl::LoadedApplication& loaded);

} // namespace qvtv
