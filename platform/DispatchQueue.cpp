#include "platform/DispatchQueue.h"

#include <algorithm>
#include <thread>

#include "platform/RunLoop.h"
#include "platform/ThreadPool.h"

namespace platform {
namespace {

class MainQueue final : public DispatchQueue {
public:
    void async(Job job) override { RunLoop::main().post(std::move(job)); }
    void asyncAfter(Clock::Duration delay, Job job) override {
        RunLoop::main().postAfter(delay, std::move(job));
    }
    bool isCurrent() const override { return RunLoop::main().isCurrentThread(); }
};

} // namespace

DispatchQueue& DispatchQueue::main() {
    static MainQueue queue;
    return queue;
}

DispatchQueue& DispatchQueue::global() {
    // Work on this pool may block on I/O or on child tasks, so it is larger than the core count
    // of a TV device: an initialisation keeps four requests in flight (two per application) while
    // two more threads wait on them. Task::get also runs a not-yet-started child inline, so a
    // busier pool only loses overlap, never progress.
    static ThreadPool pool(std::max(8u, std::thread::hardware_concurrency()));
    return pool;
}

} // namespace platform
