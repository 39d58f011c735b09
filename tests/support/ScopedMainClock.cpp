#include "ScopedMainClock.h"

#include "platform/RunLoop.h"

namespace testsupport {

ScopedMainClock::ScopedMainClock(std::int64_t startWallMillis)
    : clock_(std::make_shared<platform::VirtualClock>(startWallMillis)), previous_(platform::RunLoop::main().clock()) {
    platform::RunLoop::main().setClock(clock_);
}

ScopedMainClock::~ScopedMainClock() { platform::RunLoop::main().setClock(previous_); }

} // namespace testsupport
