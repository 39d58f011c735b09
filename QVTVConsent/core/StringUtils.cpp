#include "QVTVConsent/core/StringUtils.h"

#include <algorithm>

#include "QVTVConsent/core/JsonUtils.h"

namespace qvtv {
namespace {

bool isWhitespaceOrNewline(char32_t c) {
    if (c == U' ' || (c >= U'\t' && c <= U'\r')) return true;
    switch (c) {
    case 0x85: case 0xA0: case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200A;
    }
}

// Decodes the UTF-8 sequence that starts at text[pos]; returns its length, or 0 when malformed.
std::size_t decodeAt(std::string_view text, std::size_t pos, char32_t& out) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || pos + length > text.size()) return 0;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    out = c;
    return length;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

std::string StringUtils::trim(std::string_view text) {
    std::size_t begin = 0;
    char32_t c = 0;
    while (begin < text.size()) {
        std::size_t length = decodeAt(text, begin, c);
        if (length == 0 || !isWhitespaceOrNewline(c)) break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        std::size_t start = end - 1;
        while (start > begin && end - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
        std::size_t length = decodeAt(text, start, c);
        if (length != end - start || !isWhitespaceOrNewline(c)) break;
        end = start;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string StringUtils::getString(const nlohmann::json* value, std::string_view defaultValue) {
    if (value && value->is_string()) return trim(value->get_ref<const std::string&>());
    return trim(defaultValue);
}

std::optional<std::string> StringUtils::getOptionalString(const nlohmann::json* value,
                                                          std::optional<std::string_view> defaultValue) {
    if (!value) return std::nullopt;
    if (value->is_string()) return trim(value->get_ref<const std::string&>());
    if (defaultValue) return trim(*defaultValue);
    return trim(JsonUtils::describe(value));
}

bool StringUtils::equalsIgnoreCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::string StringUtils::toLower(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), lowerAscii);
    return out;
}

std::string StringUtils::toUpper(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), upperAscii);
    return out;
}

} // namespace qvtv
