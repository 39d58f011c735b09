#include "platform/ClassRegistry.h"

#include <map>
#include <mutex>

#include "platform/NoDestructor.h"

namespace platform {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, ObjectHandle, std::less<>> classes;
};

Registry& registry() {
    static NoDestructor<Registry> r;
    return *r;
}

} // namespace

void ClassRegistry::registerClass(const std::string& name, ObjectHandle classObject) {
    if (!classObject) {
        unregisterClass(name);
        return;
    }
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.classes[name] = std::move(classObject);
}

void ClassRegistry::unregisterClass(std::string_view name) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    if (auto it = r.classes.find(name); it != r.classes.end()) r.classes.erase(it);
}

ObjectHandle ClassRegistry::lookup(std::string_view name) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.classes.find(name);
    return it == r.classes.end() ? nullptr : it->second;
}

} // namespace platform
