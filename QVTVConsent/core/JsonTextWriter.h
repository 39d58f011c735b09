#pragma once
// Writes JSON as pretty-printed UTF-8 text, byte for byte as nlohmann's dump(2), but several times
// faster: stored consent documents and request bodies are written on every save. Records can stream
// their members straight into it, which skips building a value tree first.
// Internal to the library; callers use JsonUtils::jsonString.
//
//   std::string out;
//   qvtv::JsonTextWriter writer(out);
//   writer.beginObject();
//   writer.key("IsEnabled"); writer.boolean(true);
//   writer.endObject();
//   if (!writer.ok()) reportInvalidUtf8();

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace qvtv {

class JsonTextWriter {
public:
    explicit JsonTextWriter(std::string& out) : out_(out) {}

    // Object members must come in the order nlohmann keeps them (sorted by key) for the text to
    // match what dump(2) writes for the same value.
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(std::string_view name);

    void string(std::string_view text);
    void boolean(bool flag);
    void value(const nlohmann::json& value);

    // False once some text was not valid UTF-8; the output is then incomplete.
    bool ok() const { return ok_; }

    // Appends the text of `value` to `out`; false (with `out` partly written) when some text in
    // the value is not valid UTF-8.
    [[nodiscard]] static bool write(const nlohmann::json& value, std::string& out);

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void startLine();
    void quoted(std::string_view text);

    std::string& out_;
    // One entry per open container: true while it has no member yet.
    std::vector<bool> empty_;
    bool afterKey_ = false;
    bool ok_ = true;
};

} // namespace qvtv
