#include "QVTVConsent/model/JsonTextWriter.h"

#include <charconv>

namespace qvtv {
namespace {

constexpr int kIndent = 2;

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
void writeInteger(Integer value, std::string& out) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

bool writeValue(const nlohmann::json& value, std::string& out, int depth) {
    switch (value.type()) {
    case nlohmann::json::value_t::object: {
        const auto& object = value.get_ref<const nlohmann::json::object_t&>();
        if (object.empty()) {
            out.append("{}");
            return true;
        }
        out.append("{\n");
        bool first = true;
        for (const auto& [key, member] : object) {
            if (!first) out.append(",\n");
            first = false;
            out.append(static_cast<std::size_t>((depth + 1) * kIndent), ' ');
            if (!writeString(key, out)) return false;
            out.append(": ");
            if (!writeValue(member, out, depth + 1)) return false;
        }
        out.push_back('\n');
        out.append(static_cast<std::size_t>(depth * kIndent), ' ');
        out.push_back('}');
        return true;
    }
    case nlohmann::json::value_t::array: {
        const auto& array = value.get_ref<const nlohmann::json::array_t&>();
        if (array.empty()) {
            out.append("[]");
            return true;
        }
        out.append("[\n");
        bool first = true;
        for (const auto& element : array) {
            if (!first) out.append(",\n");
            first = false;
            out.append(static_cast<std::size_t>((depth + 1) * kIndent), ' ');
            if (!writeValue(element, out, depth + 1)) return false;
        }
        out.push_back('\n');
        out.append(static_cast<std::size_t>(depth * kIndent), ' ');
        out.push_back(']');
        return true;
    }
    case nlohmann::json::value_t::string:
        return writeString(value.get_ref<const std::string&>(), out);
    case nlohmann::json::value_t::boolean:
        out.append(value.get<bool>() ? "true" : "false");
        return true;
    case nlohmann::json::value_t::null:
        out.append("null");
        return true;
    case nlohmann::json::value_t::number_integer:
        writeInteger(value.get<std::int64_t>(), out);
        return true;
    case nlohmann::json::value_t::number_unsigned:
        writeInteger(value.get<std::uint64_t>(), out);
        return true;
    default:
        // Floating-point numbers (shortest round-trip form) and the rare binary values: the
        // library's own writer already does exactly this, and neither holds text.
        out.append(value.dump());
        return true;
    }
}

} // namespace

bool JsonTextWriter::write(const nlohmann::json& value, std::string& out) {
    return writeValue(value, out, 0);
}

} // namespace qvtv
