#pragma once
// Where work runs. `main()` is serial and drained by the main run loop (the UI thread);
// `global()` is a small pool of worker threads for blocking work such as HTTP and storage;
// `background()` one low-priority thread for bookkeeping nothing waits on yet (records a later
// write will need), which runs on cores that are otherwise idle, so it never slows requests or
// frames that are under way.
//
//   platform::DispatchQueue::global().async([] { auto body = fetch(); 
//       platform::DispatchQueue::main().async([body] { show(body); }); });

#include <chrono>
#include <functional>

#include "platform/Clock.h"

namespace platform {

class DispatchQueue {
public:
    using Job = std::function<void()>;

    virtual ~DispatchQueue() = default;

    static DispatchQueue& main();
    static DispatchQueue& global();
    static DispatchQueue& background();

    virtual void async(Job job) = 0;
    // Delays are measured on the queue's clock: the main queue uses its run loop's clock, so a
    // test with a virtual clock controls them.
    virtual void asyncAfter(Clock::Duration delay, Job job) = 0;
    // Whether the calling thread is one this queue runs its jobs on.
    virtual bool isCurrent() const = 0;
    // Whether any thread waiting on a task of this queue may run it itself before the queue
    // starts it (Task::get): true for the shared pools, whose jobs need no thread of their own.
    virtual bool waitersMayRunJobs() const { return false; }
};

} // namespace platform
