#pragma once
// Storage for a process-wide object that is built on first use and never destroyed. Static
// destruction runs in an order no one controls, and a host may still call into the library from
// a static destructor, an atexit handler or a worker thread while the process ends; an object that
// is never torn down is still there for all of them. Whatever it holds stays reachable, so leak
// checkers do not report it.
//
//   Registry& registry() {
//       static platform::NoDestructor<Registry> instance;
//       return *instance;
//   }

#include <new>
#include <type_traits>
#include <utility>

namespace platform {

template <class T>
class NoDestructor {
public:
    template <class... Args>
    explicit NoDestructor(Args&&... args) {
        // Braces for aggregates: not every compiler we build with (clang 14 for the fuzzers)
        // accepts an aggregate initialised with parentheses.
        if constexpr (std::is_aggregate_v<T>) {
            new (storage_) T{std::forward<Args>(args)...};
        } else {
            new (storage_) T(std::forward<Args>(args)...);
        }
    }
    // Nothing to do: the object outlives every other static by design.
    ~NoDestructor() = default;
    NoDestructor(const NoDestructor&) = delete;
    NoDestructor& operator=(const NoDestructor&) = delete;

    T& operator*() { return *get(); }
    const T& operator*() const { return *get(); }
    T* operator->() { return get(); }
    const T* operator->() const { return get(); }
    T* get() { return std::launder(reinterpret_cast<T*>(storage_)); }
    const T* get() const { return std::launder(reinterpret_cast<const T*>(storage_)); }

private:
    alignas(T) unsigned char storage_[sizeof(T)];
};

} // namespace platform
