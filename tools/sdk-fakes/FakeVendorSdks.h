#pragma once
// Registers recording fakes of the four vendor SDKs in platform::ClassRegistry under the class
// names a host would use, and unregisters them when it goes away. All fakes share one journal, so
// `calls()` is the exact message sequence across vendors.
//
//   sdkfakes::FakeVendorSdks sdks({.tenjin = false});
//   ...drive the library...
//   EXPECT_EQ(sdks.calls(), (std::vector<std::string>{"Singular stopAllTracking", ...}));

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tools/sdk-fakes/CallJournal.h"

namespace sdkfakes {

class FakeVendorSdks {
public:
    struct Options {
        bool firebase = true;
        bool singular = true;
        bool tenjin = true;
        bool airbridge = true;
        // Older option builders lack the auto-start switch.
        bool builderAnswersAutoStart = true;
        // "initWithName:token:" answers nil, as with credentials the SDK rejects.
        bool builderInitFails = false;
    };

    explicit FakeVendorSdks(Options options);
    FakeVendorSdks() : FakeVendorSdks(Options{}) {}
    ~FakeVendorSdks();
    FakeVendorSdks(const FakeVendorSdks&) = delete;
    FakeVendorSdks& operator=(const FakeVendorSdks&) = delete;

    // What a failing call throws (as std::runtime_error).
    static constexpr const char* failureText = "The SDK refused the call";

    std::vector<std::string> calls() const { return journal_->lines(); }
    void clearCalls() { journal_->clear(); }
    // From now on every class that answers `selector` throws when it receives it (the call is
    // still recorded), as an SDK that fails inside does.
    void failOn(const std::string& selector) { failing_->insert(selector); }
    void clearFailures() { failing_->clear(); }

private:
    std::shared_ptr<CallJournal> journal_ = std::make_shared<CallJournal>();
    // Set before the calls are made; read by the thread that makes them.
    std::shared_ptr<std::set<std::string>> failing_ = std::make_shared<std::set<std::string>>();
    std::vector<std::string> registered_;

    void add(const std::string& className, const std::vector<std::string>& selectors);
    void addAirbridge(const Options& options);
};

} // namespace sdkfakes
