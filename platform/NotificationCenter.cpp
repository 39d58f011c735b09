#include "platform/NotificationCenter.h"

#include <vector>

namespace platform {

NotificationCenter::ObserverToken NotificationCenter::addObserver(std::string name, DispatchQueue* queue,
                                                                  Handler handler) {
    auto registration = std::make_shared<Registration>();
    registration->name = std::move(name);
    registration->queue = queue;
    registration->handler = std::move(handler);
    std::lock_guard lock(mutex_);
    const auto id = nextId_++;
    registrations_.emplace(id, std::move(registration));
    return ObserverToken(id);
}

void NotificationCenter::removeObserver(const ObserverToken& token) {
    std::shared_ptr<Registration> removed;
    {
        std::lock_guard lock(mutex_);
        auto it = registrations_.find(token.id_);
        if (it == registrations_.end()) return;
        removed = std::move(it->second);
        registrations_.erase(it);
    }
    // Deliveries already queued check this flag, so nothing arrives after removal returns
    // (apart from a handler that is running at this very moment on another thread).
    removed->active = false;
}

void NotificationCenter::post(const std::string& name, std::map<std::string, std::any> userInfo) {
    std::vector<std::shared_ptr<Registration>> receivers;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [id, registration] : registrations_) {
            if (registration->name.empty() || registration->name == name) receivers.push_back(registration);
        }
    }
    if (receivers.empty()) return;
    auto notification = std::make_shared<const Notification>(Notification{name, std::move(userInfo)});
    for (auto& receiver : receivers) {
        auto deliver = [receiver, notification] {
            if (receiver->active) receiver->handler(*notification);
        };
        if (receiver->queue) {
            receiver->queue->async(std::move(deliver));
        } else {
            deliver();
        }
    }
}

std::size_t NotificationCenter::observerCount() const {
    std::lock_guard lock(mutex_);
    return registrations_.size();
}

} // namespace platform
