#pragma once
// The source of time for a run loop. Apps use the real clocks; tests use a VirtualClock and
// move time by hand, so timers and animations run without sleeping.
//
//   auto clock = std::make_shared<platform::VirtualClock>();
//   clock->advance(std::chrono::milliseconds(2300));

#include <chrono>
#include <cstdint>
#include <mutex>

namespace platform {

class Clock {
public:
    using Duration = std::chrono::steady_clock::duration;
    using Instant = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    // Monotonic time, for scheduling.
    virtual Instant now() const = 0;
    // Wall-clock time in milliseconds since 1970-01-01 UTC, for timestamps and expiry.
    virtual std::int64_t wallMillis() const = 0;
    // Whether time only moves when someone advances it.
    virtual bool isVirtual() const { return false; }
};

class SystemClock final : public Clock {
public:
    Instant now() const override { return std::chrono::steady_clock::now(); }
    std::int64_t wallMillis() const override;
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::int64_t startWallMillis = 1'767'225'600'000);  // 2026-01-01T00:00:00Z

    Instant now() const override;
    std::int64_t wallMillis() const override;
    bool isVirtual() const override { return true; }

    // Moves both monotonic and wall time forward. Prefer RunLoop::advance, which also runs
    // the timers that fall due on the way.
    void advance(Duration by);
    void setWallMillis(std::int64_t millis);

private:
    mutable std::mutex mutex_;
    Instant now_{};
    std::int64_t wallMillis_;
};

} // namespace platform
