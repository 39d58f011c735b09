#include "platform/RuntimeValue.h"

#include "platform/RuntimeObject.h"

namespace platform {

std::string describe(const RuntimeValue& value) {
    struct Describer {
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(std::int64_t n) const { return std::to_string(n); }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(const TextDictionary& dictionary) const {
            std::string out = "{";
            for (const auto& [key, entry] : dictionary) {
                if (out.size() > 1) out += ", ";
                out += key + ": " + entry;
            }
            return out + "}";
        }
        std::string operator()(const ObjectHandle& object) const { return object ? object->description() : "nil"; }
    };
    return std::visit(Describer{}, value);
}

} // namespace platform
