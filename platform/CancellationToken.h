#pragma once
// A cooperative cancellation flag shared between whoever starts work and the work itself.
// Copies share one flag; long operations (HTTP transfers, loops) poll `isCancelled()`.
//
//   platform::CancellationToken token;
//   pool.async([token] { while (!token.isCancelled()) step(); });
//   token.cancel();

#include <atomic>
#include <memory>

namespace platform {

class CancellationToken {
public:
    CancellationToken() : flag_(std::make_shared<std::atomic<bool>>(false)) {}

    void cancel() const { flag_->store(true, std::memory_order_release); }
    bool isCancelled() const { return flag_->load(std::memory_order_acquire); }

private:
    std::shared_ptr<std::atomic<bool>> flag_;
};

} // namespace platform
