#pragma once
// A fake external SDK class or object: it writes every message it receives to a CallJournal as
// "<name> <selector>" followed by "(arg, arg)" when there are arguments, and answers the
// selectors it was told about, optionally with an object. Unknown selectors are recorded too (so
// a test sees a wrong selector) and answer nil.
//
//   auto sdk = std::make_shared<sdkfakes::RecordingSdkObject>("TenjinSDK", journal);
//   sdk->answers("optIn").answers("connect");
//   sdk->send("optIn", {});   // journal: "TenjinSDK optIn"

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/RuntimeObject.h"
#include "tools/sdk-fakes/CallJournal.h"

namespace sdkfakes {

class RecordingSdkObject : public platform::RuntimeObject {
public:
    using Reply = std::function<platform::ObjectHandle(const std::vector<platform::RuntimeValue>& args)>;

    RecordingSdkObject(std::string name, std::shared_ptr<CallJournal> journal);

    // Declares a selector this object responds to; `reply` gives the answered object (nil when empty).
    RecordingSdkObject& answers(const std::string& selector, Reply reply = nullptr);

    bool respondsTo(std::string_view selector) const override;
    platform::ObjectHandle send(std::string_view selector, const std::vector<platform::RuntimeValue>& args) override;
    std::string description() const override { return name_; }

private:
    std::string name_;
    std::shared_ptr<CallJournal> journal_;
    std::map<std::string, Reply, std::less<>> replies_;
};

} // namespace sdkfakes
