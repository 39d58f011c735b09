#include "QVTVConsent/events/QVConsentEventManager.h"

#include <utility>
#include <vector>

#include "platform/DispatchQueue.h"
#include "platform/NoDestructor.h"

namespace qvtv {

const std::shared_ptr<QVConsentEventManager>& QVConsentEventManager::shared() {
    static const platform::NoDestructor<std::shared_ptr<QVConsentEventManager>> manager(
        std::make_shared<QVConsentEventManager>());
    return *manager;
}

void QVConsentEventManager::addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate) {
    std::lock_guard lock(mutex_);
    delegates_[code] = std::move(delegate);
}

void QVConsentEventManager::removeDelegate(std::int64_t code) {
    std::lock_guard lock(mutex_);
    delegates_.erase(code);
}

void QVConsentEventManager::addObserver(std::int64_t code, std::any observer, ObserverCallback callback) {
    auto token = notificationCenter_.addObserver(
        notificationName, &platform::DispatchQueue::main(),
        [callback = std::move(callback)](const platform::Notification& notification) {
            const auto entry = notification.userInfo.find(userInfoKey);
            if (entry == notification.userInfo.end()) return;
            if (const auto* message = std::any_cast<QVDataMessage<QVConsentEvent>>(&entry->second)) {
                callback(*message);
            }
        });
    platform::NotificationCenter::ObserverToken replaced;
    {
        std::lock_guard lock(mutex_);
        observers_[code] = std::move(observer);
        auto& slot = observerTokens_[code];
        replaced = std::exchange(slot, token);
    }
    // A callback left registered under a replaced code could never be removed again.
    notificationCenter_.removeObserver(replaced);
}

void QVConsentEventManager::removeObserver(std::int64_t code) {
    platform::NotificationCenter::ObserverToken token;
    {
        std::lock_guard lock(mutex_);
        auto it = observerTokens_.find(code);
        if (it != observerTokens_.end()) {
            token = it->second;
            observerTokens_.erase(it);
        }
        observers_.erase(code);
    }
    notificationCenter_.removeObserver(token);
}

void QVConsentEventManager::removeAll() {
    std::map<std::int64_t, platform::NotificationCenter::ObserverToken> tokens;
    {
        std::lock_guard lock(mutex_);
        delegates_.clear();
        observers_.clear();
        tokens.swap(observerTokens_);
    }
    for (const auto& [code, token] : tokens) notificationCenter_.removeObserver(token);
}

void QVConsentEventManager::notify(const std::string& applicationId, const std::string& clientId,
                                   std::optional<QVUserConsentActionType> type, QVConsentStatus consentStatus,
                                   const QVDataMessage<QVConsentEvent::Records>& envelope) {
    const QVConsentEvent::Records records = envelope.data().value_or(QVConsentEvent::Records{});
    auto wrap = [&](std::int64_t code) {
        return QVDataMessage<QVConsentEvent>(envelope.code(), envelope.msg(), std::nullopt,
                                             QVConsentEvent(code, applicationId, clientId, type, records, consentStatus));
    };

    std::vector<std::pair<std::int64_t, std::shared_ptr<QVConsentEventDelegate>>> delegates;
    {
        std::lock_guard lock(mutex_);
        delegates.assign(delegates_.begin(), delegates_.end());
    }
    for (const auto& [code, delegate] : delegates) delegate->onConsentAction(wrap(code));

    notificationCenter_.post(notificationName, {{userInfoKey, wrap(envelope.code())}});
}

std::size_t QVConsentEventManager::delegateCount() const {
    std::lock_guard lock(mutex_);
    return delegates_.size();
}

std::size_t QVConsentEventManager::observerCount() const {
    std::lock_guard lock(mutex_);
    return observerTokens_.size();
}

} // namespace qvtv
