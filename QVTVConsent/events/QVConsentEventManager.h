#pragma once
// Tells the host about consent changes in two ways at once: it calls every registered delegate
// synchronously, then posts "qvEvent" on its own notification center so every observer callback
// runs on the main queue. One manager exists per process (`shared()`), owned here and never
// replaced, so registrations survive a new initialisation.
//
//   auto events = qvtv::QVConsentEventManager::shared();
//   events->addObserver(7, std::any{}, [](const qvtv::QVDataMessage<qvtv::QVConsentEvent>& m) { ... });
//   events->removeObserver(7);

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "QVTVConsent/events/QVConsentEvent.h"
#include "QVTVConsent/events/QVConsentEventDelegate.h"
#include "QVTVConsent/core/QVDataMessage.h"
#include "platform/NotificationCenter.h"

namespace qvtv {

class QVConsentEventManager {
public:
    using ObserverCallback = std::function<void(const QVDataMessage<QVConsentEvent>&)>;

    static constexpr const char* notificationName = "qvEvent";
    static constexpr const char* userInfoKey = "data";

    QVConsentEventManager() = default;
    QVConsentEventManager(const QVConsentEventManager&) = delete;
    QVConsentEventManager& operator=(const QVConsentEventManager&) = delete;

    // The process's manager, created on first use.
    static const std::shared_ptr<QVConsentEventManager>& shared();

    // At most one delegate per code; a second one replaces the first.
    void addDelegate(std::int64_t code, std::shared_ptr<QVConsentEventDelegate> delegate);
    void removeDelegate(std::int64_t code);

    // The observer object is kept for the host; the callback receives every event, whatever the
    // code. Registering a code again replaces its earlier callback.
    void addObserver(std::int64_t code, std::any observer, ObserverCallback callback);
    void removeObserver(std::int64_t code);

    // Forgets every delegate and observer (clearing the session with removal asked for).
    void removeAll();

    std::size_t delegateCount() const;
    std::size_t observerCount() const;

private:
    // Only the library tells of consent changes, through ConsentEventPoster, so a host cannot
    // forge an event that other parts of the app would trust.
    friend class ConsentEventPoster;

    // Calls each delegate with an event carrying that delegate's code, then posts one event with
    // the envelope's code to the observers. The records are the envelope's payload (none: empty).
    void notify(const std::string& applicationId, const std::string& clientId,
                std::optional<QVUserConsentActionType> type, QVConsentStatus consentStatus,
                const QVDataMessage<QVConsentEvent::Records>& envelope);

    // The host registers from one thread while the repository may notify from its task; the lock
    // keeps the maps whole, and callbacks always run outside it.
    mutable std::mutex mutex_;
    std::map<std::int64_t, std::shared_ptr<QVConsentEventDelegate>> delegates_;
    std::map<std::int64_t, std::any> observers_;
    std::map<std::int64_t, platform::NotificationCenter::ObserverToken> observerTokens_;
    platform::NotificationCenter notificationCenter_;
};

} // namespace qvtv
