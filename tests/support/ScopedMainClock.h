#pragma once
// Puts a VirtualClock on the main run loop for the life of a test and restores the previous
// clock afterwards, so code that reads "now" from the main loop can be moved through time.

#include <cstdint>
#include <memory>

#include "platform/Clock.h"

namespace testsupport {

class ScopedMainClock {
public:
    explicit ScopedMainClock(std::int64_t startWallMillis = 1'767'225'600'000);  // 2026-01-01T00:00Z
    ~ScopedMainClock();
    ScopedMainClock(const ScopedMainClock&) = delete;
    ScopedMainClock& operator=(const ScopedMainClock&) = delete;

    platform::VirtualClock& clock() { return *clock_; }
    void setWallMillis(std::int64_t millis) { clock_->setWallMillis(millis); }

private:
    std::shared_ptr<platform::VirtualClock> clock_;
    std::shared_ptr<platform::Clock> previous_;
};

} // namespace testsupport
