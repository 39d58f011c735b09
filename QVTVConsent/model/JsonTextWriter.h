#pragma once
// Writes a JSON value as pretty-printed UTF-8 text, byte for byte as nlohmann's dump(2), but several
// times faster: stored consent documents and request bodies are written on every save.
// Internal to the library; callers use JsonUtils::jsonString.
//
//   std::string out;
//   if (!qvtv::JsonTextWriter::write(value, out)) reportInvalidUtf8();

#include <string>

#include <nlohmann/json.hpp>

namespace qvtv {

class JsonTextWriter {
public:
    // Appends the text of `value` to `out`; false (with `out` partly written) when some text in
    // the value is not valid UTF-8.
    [[nodiscard]] static bool write(const nlohmann::json& value, std::string& out);
};

} // namespace qvtv
