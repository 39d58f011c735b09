#pragma once
// A cooperative cancellation flag shared between whoever starts work and the work itself.
// Copies share one flag; long operations (HTTP transfers, loops) poll `isCancelled()`. A child
// token also reports its parent's cancellation, so one of several requests can be stopped alone
// while cancelling the parent still stops them all.
//
//   platform::CancellationToken token;
//   pool.async([token] { while (!token.isCancelled()) step(); });
//   auto one = token.child();
//   one.cancel();    // `token` is not cancelled
//   token.cancel();  // `one` is cancelled too

#include <atomic>
#include <memory>

namespace platform {

class CancellationToken {
public:
    CancellationToken() : state_(std::make_shared<State>()) {}

    CancellationToken child() const {
        CancellationToken token;
        token.state_->parent = state_;
        return token;
    }

    void cancel() const { state_->flag.store(true, std::memory_order_release); }
    bool isCancelled() const {
        for (const State* state = state_.get(); state; state = state->parent.get()) {
            if (state->flag.load(std::memory_order_acquire)) return true;
        }
        return false;
    }

private:
    struct State {
        std::atomic<bool> flag{false};
        std::shared_ptr<const State> parent;
    };
    std::shared_ptr<State> state_;
};

} // namespace platform
