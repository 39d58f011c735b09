#pragma once
// A handle on an asynchronous result: wait for it (`get`), continue it on a queue (`then`), or ask
// it to stop (`cancel`, cooperative: the work polls its CancellationToken). Two children run
// concurrently simply by starting both before waiting on either.
//
//   auto a = platform::Task<int>::run(DispatchQueue::global(), [] { return load("a"); });
//   auto b = platform::Task<int>::run(DispatchQueue::global(), [](const CancellationToken& t) {
//       return load("b", t); });
//   if (a.get() < 0) b.cancel();
//   a.then(DispatchQueue::main(), [](int v) { show(v); });

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/CancellationToken.h"
#include "platform/DispatchQueue.h"

namespace platform {

template <class T>
class Task;

namespace detail {

template <class T>
using Stored = std::conditional_t<std::is_void_v<T>, std::monostate, T>;

template <class T>
struct TaskState {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Stored<T>> value;
    std::exception_ptr error;
    std::function<Stored<T>(const CancellationToken&)> work;
    DispatchQueue* queue = nullptr;  // where `work` is meant to run; null for promises
    bool claimed = false;
    CancellationToken token;
    std::vector<std::function<void()>> continuations;

    bool isFinished() const { return value.has_value() || error; }

    void finish(std::optional<Stored<T>> result, std::exception_ptr failure) {
        std::vector<std::function<void()>> toRun;
        {
            std::lock_guard lock(mutex);
            if (isFinished()) return;
            value = std::move(result);
            error = failure;
            toRun.swap(continuations);
        }
        done.notify_all();
        for (auto& c : toRun) c();
    }

    // Runs the work unless someone else already claimed it. Returns whether it ran here.
    bool runIfUnclaimed() {
        {
            std::lock_guard lock(mutex);
            if (claimed) return false;
            claimed = true;
        }
        try {
            auto result = work(token);
            work = nullptr;
            finish(std::move(result), nullptr);
        } catch (...) {
            work = nullptr;
            finish(std::nullopt, std::current_exception());
        }
        return true;
    }

    // Calls `c` once the task finished: at once if it already has.
    void onFinish(std::function<void()> c) {
        {
            std::lock_guard lock(mutex);
            if (!isFinished()) {
                continuations.push_back(std::move(c));
                return;
            }
        }
        c();
    }
};

template <class F, class Arg>
decltype(auto) invokeWith(F& f, Arg&& arg) {
    if constexpr (std::is_same_v<std::decay_t<Arg>, std::monostate>) {
        return f();
    } else {
        return f(std::forward<Arg>(arg));
    }
}

} // namespace detail

template <class T>
class Task {
public:
    using State = detail::TaskState<T>;

    // Starts `fn` on `queue`. `fn` takes either nothing or the task's CancellationToken.
    template <class F>
    static Task run(DispatchQueue& queue, F fn) {
        auto state = std::make_shared<State>();
        state->queue = &queue;
        state->work = [fn = std::move(fn)](const CancellationToken& token) mutable -> detail::Stored<T> {
            if constexpr (std::is_invocable_v<F&, const CancellationToken&>) {
                if constexpr (std::is_void_v<T>) {
                    fn(token);
                    return {};
                } else {
                    return fn(token);
                }
            } else if constexpr (std::is_void_v<T>) {
                fn();
                return {};
            } else {
                return fn();
            }
        };
        queue.async([state] { state->runIfUnclaimed(); });
        return Task(state);
    }

    // An already finished task.
    template <class U = T>
        requires(!std::is_void_v<U>)
    static Task ready(U value) {
        auto state = std::make_shared<State>();
        state->claimed = true;
        state->value = std::move(value);
        return Task(state);
    }

    // Waits for the result and returns it, rethrowing what the work threw. A task that has not
    // started yet is run on the waiting thread when that is allowed (any thread for the shared
    // pools, the queue's own thread otherwise), so waiting on children never starves the pool.
    T get() const {
        if (state_->queue && (state_->queue->waitersMayRunJobs() || state_->queue->isCurrent())) {
            state_->runIfUnclaimed();
        }
        std::unique_lock lock(state_->mutex);
        state_->done.wait(lock, [&] { return state_->isFinished(); });
        if (state_->error) std::rethrow_exception(state_->error);
        if constexpr (!std::is_void_v<T>) return *state_->value;
    }

    // Waits until the task finished or `deadline` passed; true when it finished. Unlike `get`
    // it never runs a not-yet-started task inline, so it returns on time.
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const {
        std::unique_lock lock(state_->mutex);
        return state_->done.wait_until(lock, deadline, [&] { return state_->isFinished(); });
    }

    bool isReady() const {
        std::lock_guard lock(state_->mutex);
        return state_->isFinished();
    }

    // Asks the work to stop; it decides when (by polling its token). A continuation shares
    // its parent's token, so cancelling any link cancels the chain.
    void cancel() const { state_->token.cancel(); }
    bool isCancelled() const { return state_->token.isCancelled(); }
    const CancellationToken& token() const { return state_->token; }

    // Runs `fn(result)` on `queue` once this task finished, and returns the task of its result.
    // When this task failed, `fn` is skipped and the failure passes on.
    template <class F>
    auto then(DispatchQueue& queue, F fn) const {
        using R = std::decay_t<decltype(detail::invokeWith(fn, std::declval<detail::Stored<T>&>()))>;
        auto next = std::make_shared<detail::TaskState<R>>();
        next->claimed = true;
        next->token = state_->token;
        state_->onFinish([parent = state_, next, &queue, fn = std::move(fn)]() mutable {
            queue.async([parent, next, fn = std::move(fn)]() mutable {
                if (parent->error) {
                    next->finish(std::nullopt, parent->error);
                    return;
                }
                try {
                    if constexpr (std::is_void_v<R>) {
                        detail::invokeWith(fn, *parent->value);
                        next->finish(std::monostate{}, nullptr);
                    } else {
                        next->finish(detail::invokeWith(fn, *parent->value), nullptr);
                    }
                } catch (...) {
                    next->finish(std::nullopt, std::current_exception());
                }
            });
        });
        return Task<R>(next);
    }

    explicit Task(std::shared_ptr<State> state) : state_(std::move(state)) {}

private:
    std::shared_ptr<State> state_;
};

// The producing side of a task that is finished by a callback rather than by running a function.
//
//   platform::Promise<int> p;
//   startSomething([p](int v) mutable { p.resolve(v); });
//   return p.task();
template <class T>
class Promise {
public:
    Promise() : state_(std::make_shared<detail::TaskState<T>>()) { state_->claimed = true; }

    Task<T> task() const { return Task<T>(state_); }

    template <class U = T>
        requires(!std::is_void_v<U>)
    void resolve(U value) const { state_->finish(std::move(value), nullptr); }

    void resolve() const
        requires std::is_void_v<T>
    { state_->finish(std::monostate{}, nullptr); }

    void reject(std::exception_ptr error) const { state_->finish(std::nullopt, error); }

    const CancellationToken& token() const { return state_->token; }

private:
    std::shared_ptr<detail::TaskState<T>> state_;
};

} // namespace platform
