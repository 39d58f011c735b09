#pragma once
// Something that answers messages by selector name: a class registered in the ClassRegistry or an
// object one of them returned. Hosts wrap the external SDKs they link in these; tests use
// recording fakes.
//
//   class MySdk : public platform::RuntimeObject {
//       bool respondsTo(std::string_view s) const override { return s == "optIn"; }
//       platform::ObjectHandle send(std::string_view s, const std::vector<platform::RuntimeValue>&) override {
//           if (s == "optIn") sdk_optin();
//           return nullptr;
//       }
//   };

#include <string>
#include <string_view>
#include <vector>

#include "platform/RuntimeValue.h"

namespace platform {

class RuntimeObject {
public:
    virtual ~RuntimeObject() = default;

    // Whether `send` with this selector does something meaningful.
    virtual bool respondsTo(std::string_view selector) const = 0;

    // Delivers the message. Selectors such as "alloc", "initWithName:token:" or "build" answer an
    // object; the others answer nullptr. Senders may send selectors without asking respondsTo
    // first, so an implementation must answer nullptr (never crash) for one it does not know.
    virtual ObjectHandle send(std::string_view selector, const std::vector<RuntimeValue>& args) = 0;

    // How the object appears in log lines and recordings.
    virtual std::string description() const { return "<object>"; }
};

} // namespace platform
