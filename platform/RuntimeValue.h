#pragma once
// A boxed argument for a message sent by selector name to an object the library does not link
// (see ClassRegistry): a Boolean, an integer, text, a text-to-text dictionary or another object.
//
//   std::vector<platform::RuntimeValue> args{std::string("api-key"), true, std::int64_t{0}};
//   platform::describe(args[1]);   // "true"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace platform {

class RuntimeObject;

using TextDictionary = std::map<std::string, std::string>;
using ObjectHandle = std::shared_ptr<RuntimeObject>;
using RuntimeValue = std::variant<bool, std::int64_t, std::string, TextDictionary, ObjectHandle>;

// A short readable form: true/false, digits, the text itself, "{key: value, ...}" in key order,
// the object's description (or "nil").
std::string describe(const RuntimeValue& value);

} // namespace platform
