#include "platform/TrackingAuthorization.h"

#include <gtest/gtest.h>

#include <thread>

using platform::Promise;
using platform::Task;
using platform::TrackingAuthorization;
using Status = platform::TrackingAuthorization::Status;

namespace {

// Answers like a prompt would: later, from another thread.
class PromptProvider : public TrackingAuthorization::Provider {
public:
    explicit PromptProvider(Status answer) : answer_(answer) {}
    Task<Status> requestAuthorization() override {
        ++requests;
        Promise<Status> promise;
        std::thread([promise, this] {
            current_ = answer_;
            promise.resolve(answer_);
        }).detach();
        return promise.task();
    }
    Status status() const override { return current_; }
    int requests = 0;

private:
    Status answer_;
    std::atomic<Status> current_{Status::notDetermined};
};

} // namespace

TEST(TrackingAuthorization, WithoutProviderEveryAnswerIsDenied) {
    TrackingAuthorization::setProvider(nullptr);
    EXPECT_EQ(TrackingAuthorization::status(), Status::denied);
    EXPECT_EQ(TrackingAuthorization::requestAuthorization().get(), Status::denied);
}

TEST(TrackingAuthorization, TheInstalledProviderAnswersAsynchronously) {
    auto provider = std::make_shared<PromptProvider>(Status::authorized);
    TrackingAuthorization::setProvider(provider);
    EXPECT_EQ(TrackingAuthorization::status(), Status::notDetermined);
    EXPECT_EQ(TrackingAuthorization::requestAuthorization().get(), Status::authorized);
    EXPECT_EQ(TrackingAuthorization::status(), Status::authorized);
    EXPECT_EQ(provider->requests, 1);
    TrackingAuthorization::setProvider(nullptr);
    EXPECT_EQ(TrackingAuthorization::status(), Status::denied);
}
