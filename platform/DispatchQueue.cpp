#include "platform/DispatchQueue.h"

#include <algorithm>
#include <thread>

#include "platform/NoDestructor.h"
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
    static NoDestructor<MainQueue> queue;
    return *queue;
}

DispatchQueue& DispatchQueue::global() {
    // Work on this pool may block on I/O or on child tasks, so it is larger than the core count
    // of a TV device: an initialisation keeps four requests in flight (two per application) while
    // two more threads wait on them. Task::get also runs a not-yet-started child inline, so a
    // busier pool only loses overlap, never progress.
    static NoDestructor<ThreadPool> pool(std::max(8u, std::thread::hardware_concurrency()),
                                         ThreadPool::Waiters::mayRunJobs);
    return *pool;
}

DispatchQueue& DispatchQueue::background() {
    // Nice 10 gets about a tenth of a core beside busy work at the usual priority, so it still
    // progresses on a loaded device, and one waiting on a job not yet started runs it at its own
    // priority. One thread: the jobs are short, and run in order.
    static NoDestructor<ThreadPool> pool(1, ThreadPool::Waiters::mayRunJobs, 10);
    return *pool;
}

} // namespace platform
