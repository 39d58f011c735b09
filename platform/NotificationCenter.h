#pragma once
// Broadcasts named notifications to whoever registered for the name. Each observer chooses the
// queue its handler runs on (or none: the posting thread); removing the observer's token stops
// every later delivery, including ones already queued but not yet run.
//
//   platform::NotificationCenter center;
//   auto token = center.addObserver("qvEvent", &platform::DispatchQueue::main(),
//       [](const platform::Notification& n) { use(n.userInfo.at("data")); });
//   center.post("qvEvent", {{"data", message}});
//   center.removeObserver(token);

#include <any>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/DispatchQueue.h"

namespace platform {

struct Notification {
    std::string name;
    // Values of any kind; receivers check the kind they expect with std::any_cast.
    std::map<std::string, std::any> userInfo;
};

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    // Identifies one registration. Copies refer to the same registration; a default-made token
    // refers to none.
    class ObserverToken {
    public:
        ObserverToken() = default;
        bool isValid() const { return id_ != 0; }
        friend bool operator==(const ObserverToken&, const ObserverToken&) = default;

    private:
        friend class NotificationCenter;
        explicit ObserverToken(std::uint64_t id) : id_(id) {}
        std::uint64_t id_ = 0;
    };

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // Registers `handler` for notifications called `name` (an empty name receives all of them).
    // With a queue the handler runs there, asynchronously; without one it runs synchronously on
    // the thread that posts. Thread-safe.
    ObserverToken addObserver(std::string name, DispatchQueue* queue, Handler handler);

    // Ends a registration; unknown or already removed tokens are ignored. Thread-safe.
    void removeObserver(const ObserverToken& token);

    // Delivers to every observer registered for the name at the moment of posting, in order of
    // registration. Thread-safe; handlers may add or remove observers.
    void post(const std::string& name, std::map<std::string, std::any> userInfo = {});

    std::size_t observerCount() const;

private:
    struct Registration {
        std::string name;
        DispatchQueue* queue;
        Handler handler;
        std::atomic<bool> active{true};
    };

    mutable std::mutex mutex_;
    std::map<std::uint64_t, std::shared_ptr<Registration>> registrations_;  // ordered by id
    std::uint64_t nextId_ = 1;
};

} // namespace platform
