#include "QVTVConsent/core/JsonTextWriter.h"

#include <charconv>

namespace qvtv {
namespace {

constexpr std::size_t kIndent = 2;

// Length of the well-formed UTF-8 sequence at text[pos] (lead byte >= 0x80), or 0 when malformed:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text, std::size_t pos) {
    auto at = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    auto inRange = [](unsigned c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; };
    const unsigned lead = at(pos);
    const unsigned second = at(pos + 1);
    if (inRange(lead, 0xC2, 0xDF)) return inRange(second, 0x80, 0xBF) ? 2 : 0;
    if (inRange(lead, 0xE0, 0xEF)) {
        const unsigned lo = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned hi = lead == 0xED ? 0x9F : 0xBF;
        return inRange(second, lo, hi) && inRange(at(pos + 2), 0x80, 0xBF) ? 3 : 0;
    }
    if (inRange(lead, 0xF0, 0xF4)) {
        const unsigned lo = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned hi = lead == 0xF4 ? 0x8F : 0xBF;
        return inRange(second, lo, hi) && inRange(at(pos + 2), 0x80, 0xBF) && inRange(at(pos + 3), 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

bool writeString(std::string_view text, std::string& out) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t runStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
            ++pos;
            continue;
        }
        if (c >= 0x80) {
            std::size_t length = utf8SequenceLength(text, pos);
            if (length == 0) return false;
            pos += length;
            continue;
        }
        out.append(text.substr(runStart, pos - runStart));
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            out.append("\\u00");
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
        }
        runStart = ++pos;
    }
    out.append(text.substr(runStart));
    out.push_back('"');
    return true;
}

template <class Integer>
void appendInteger(Integer value, std::string& out) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

void JsonTextWriter::startLine() {
    out_.append(empty_.back() ? "\n" : ",\n");
    empty_.back() = false;
    out_.append(empty_.size() * kIndent, ' ');
}

void JsonTextWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) startLine();
}

void JsonTextWriter::open(char bracket) {
    beforeValue();
    out_.push_back(bracket);
    empty_.push_back(true);
}

void JsonTextWriter::close(char bracket) {
    const bool wasEmpty = empty_.back();
    empty_.pop_back();
    if (!wasEmpty) {
        out_.push_back('\n');
        out_.append(empty_.size() * kIndent, ' ');
    }
    out_.push_back(bracket);
}

void JsonTextWriter::quoted(std::string_view text) {
    if (!writeString(text, out_)) ok_ = false;
}

void JsonTextWriter::key(std::string_view name) {
    startLine();
    quoted(name);
    out_.append(": ");
    afterKey_ = true;
}

void JsonTextWriter::string(std::string_view text) {
    beforeValue();
    quoted(text);
}

void JsonTextWriter::boolean(bool flag) {
    beforeValue();
    out_.append(flag ? "true" : "false");
}

void JsonTextWriter::value(const nlohmann::json& value) {
    switch (value.type()) {
    case nlohmann::json::value_t::object:
        beginObject();
        for (const auto& [name, member] : value.get_ref<const nlohmann::json::object_t&>()) {
            key(name);
            this->value(member);
        }
        endObject();
        return;
    case nlohmann::json::value_t::array:
        beginArray();
        for (const auto& element : value.get_ref<const nlohmann::json::array_t&>()) this->value(element);
        endArray();
        return;
    case nlohmann::json::value_t::string:
        string(value.get_ref<const std::string&>());
        return;
    case nlohmann::json::value_t::boolean:
        boolean(value.get<bool>());
        return;
    default:
        break;
    }
    beforeValue();
    switch (value.type()) {
    case nlohmann::json::value_t::null: out_.append("null"); return;
    case nlohmann::json::value_t::number_integer: appendInteger(value.get<std::int64_t>(), out_); return;
    case nlohmann::json::value_t::number_unsigned: appendInteger(value.get<std::uint64_t>(), out_); return;
    default:
        // Floating-point numbers (shortest round-trip form) and the rare binary values: the
        // library's own writer already does exactly this, and neither holds text.
        out_.append(value.dump());
    }
}

bool JsonTextWriter::write(const nlohmann::json& value, std::string& out) {
    JsonTextWriter writer(out);
    writer.value(value);
    return writer.ok();
}

} // namespace qvtv
