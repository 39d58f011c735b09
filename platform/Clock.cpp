#include "platform/Clock.h"

namespace platform {

std::int64_t SystemClock::wallMillis() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

VirtualClock::VirtualClock(std::int64_t startWallMillis) : wallMillis_(startWallMillis) {}

Clock::Instant VirtualClock::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

std::int64_t VirtualClock::wallMillis() const {
    std::lock_guard lock(mutex_);
    return wallMillis_;
}

void VirtualClock::advance(Duration by) {
    std::lock_guard lock(mutex_);
    now_ += by;
    wallMillis_ += std::chrono::duration_cast<std::chrono::milliseconds>(by).count();
}

void VirtualClock::setWallMillis(std::int64_t millis) {
    std::lock_guard lock(mutex_);
    wallMillis_ = millis;
}

} // namespace platform
