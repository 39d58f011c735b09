#include "tvkit/text/CssStyleSheet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace tvkit {

namespace {

std::string_view trim(std::string_view s) {
    auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// Drops /* comments */ so they cannot hide or split rules.
std::string withoutComments(std::string_view css) {
    std::string out;
    out.reserve(css.size());
    for (std::size_t i = 0; i < css.size(); ++i) {
        if (css.compare(i, 2, "/*") == 0) {
            const std::size_t end = css.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 1;
            continue;
        }
        out.push_back(css[i]);
    }
    return out;
}

bool isPlainElementName(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
}

std::optional<double> parseNumber(std::string_view s) {
    s = trim(s);
    double value = 0;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<Color> parseHex(std::string_view hex) {
    std::array<int, 8> digits{};
    if (hex.size() != 3 && hex.size() != 4 && hex.size() != 6 && hex.size() != 8) return std::nullopt;
    for (std::size_t i = 0; i < hex.size(); ++i) {
        digits[i] = hexDigit(hex[i]);
        if (digits[i] < 0) return std::nullopt;
    }
    auto component = [&](std::size_t i) {
        if (hex.size() <= 4) return digits[i] * 17 / 255.0;
        return (digits[2 * i] * 16 + digits[2 * i + 1]) / 255.0;
    };
    const bool hasAlpha = hex.size() == 4 || hex.size() == 8;
    return Color{component(0), component(1), component(2), hasAlpha ? component(3) : 1.0};
}

std::optional<Color> parseFunction(std::string_view value) {
    const std::size_t open = value.find('(');
    if (open == std::string_view::npos || value.back() != ')') return std::nullopt;
    const std::string name = lower(trim(value.substr(0, open)));
    if (name != "rgb" && name != "rgba") return std::nullopt;
    std::string_view args = value.substr(open + 1, value.size() - open - 2);
    std::array<double, 4> parts{0, 0, 0, 1};
    std::size_t count = 0;
    while (!args.empty() && count < 4) {
        const std::size_t comma = args.find(',');
        std::string_view part = trim(args.substr(0, comma));
        const bool percent = !part.empty() && part.back() == '%';
        if (percent) part.remove_suffix(1);
        auto number = parseNumber(part);
        if (!number) return std::nullopt;
        const double scale = count < 3 ? (percent ? 100.0 : 255.0) : (percent ? 100.0 : 1.0);
        parts[count++] = std::clamp(*number / scale, 0.0, 1.0);
        args = comma == std::string_view::npos ? std::string_view() : args.substr(comma + 1);
    }
    if (count < 3 || !args.empty()) return std::nullopt;
    return Color{parts[0], parts[1], parts[2], parts[3]};
}

} // namespace

CssStyleSheet CssStyleSheet::parse(std::string_view css) {
    CssStyleSheet sheet;
    const std::string text = withoutComments(css);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('{', pos);
        if (open == std::string::npos) break;
        const std::size_t close = text.find('}', open);
        const std::string_view selectors = std::string_view(text).substr(pos, open - pos);
        const std::string_view block = std::string_view(text).substr(
            open + 1, (close == std::string::npos ? text.size() : close) - open - 1);
        pos = close == std::string::npos ? text.size() : close + 1;
        if (selectors.find('@') != std::string_view::npos) {
            // At-rules are not ours; skip the whole block, nested rules included.
            int depth = 0;
            std::size_t i = open;
            for (; i < text.size(); ++i) {
                if (text[i] == '{') ++depth;
                if (text[i] == '}' && --depth == 0) break;
            }
            pos = i < text.size() ? i + 1 : text.size();
            continue;
        }
        Rule rule;
        std::size_t start = 0;
        while (start <= selectors.size()) {
            const std::size_t comma = selectors.find(',', start);
            const std::string name = lower(trim(selectors.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
            if (isPlainElementName(name)) rule.elements.push_back(name);
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
        rule.declarations = parseDeclarations(block);
        if (!rule.elements.empty() && !rule.declarations.empty()) sheet.rules_.push_back(std::move(rule));
    }
    return sheet;
}

std::vector<CssStyleSheet::Declaration> CssStyleSheet::parseDeclarations(std::string_view block) {
    std::vector<Declaration> out;
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t semicolon = block.find(';', start);
        if (semicolon == std::string_view::npos) semicolon = block.size();
        const std::string_view item = block.substr(start, semicolon - start);
        start = semicolon + 1;
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) continue;
        Declaration d;
        d.property = lower(trim(item.substr(0, colon)));
        std::string_view value = trim(item.substr(colon + 1));
        const std::size_t bang = value.find('!');
        if (bang != std::string_view::npos) {
            d.important = lower(trim(value.substr(bang + 1))) == "important";
            value = trim(value.substr(0, bang));
        }
        d.value = std::string(value);
        if (!d.property.empty() && !d.value.empty()) out.push_back(std::move(d));
    }
    return out;
}

std::vector<CssStyleSheet::Declaration> CssStyleSheet::declarationsFor(std::string_view element) const {
    std::vector<Declaration> out;
    for (const Rule& rule : rules_) {
        if (std::find(rule.elements.begin(), rule.elements.end(), element) == rule.elements.end()) continue;
        out.insert(out.end(), rule.declarations.begin(), rule.declarations.end());
    }
    return out;
}

std::optional<Color> CssStyleSheet::parseColor(std::string_view value) {
    value = trim(value);
    if (value.empty()) return std::nullopt;
    if (value.front() == '#') return parseHex(value.substr(1));
    if (value.find('(') != std::string_view::npos) return parseFunction(value);
    static const std::pair<const char*, Color> named[] = {
        {"black", Color::black()},
        {"white", Color::white()},
        {"red", Color::fromRGBA8(255, 0, 0)},
        {"green", Color::fromRGBA8(0, 128, 0)},
        {"blue", Color::fromRGBA8(0, 0, 255)},
        {"gray", Color::fromRGBA8(128, 128, 128)},
        {"grey", Color::fromRGBA8(128, 128, 128)},
        {"silver", Color::fromRGBA8(192, 192, 192)},
        {"yellow", Color::fromRGBA8(255, 255, 0)},
        {"orange", Color::fromRGBA8(255, 165, 0)},
        {"purple", Color::fromRGBA8(128, 0, 128)},
        {"navy", Color::fromRGBA8(0, 0, 128)},
        {"teal", Color::fromRGBA8(0, 128, 128)},
        {"maroon", Color::fromRGBA8(128, 0, 0)},
        {"transparent", Color::clear()},
    };
    const std::string name = lower(value);
    for (const auto& [key, color] : named) {
        if (name == key) return color;
    }
    return std::nullopt;
}

std::optional<double> CssStyleSheet::parseLength(std::string_view value, double emSize) {
    const std::string v = lower(trim(value));
    auto withUnit = [&](std::string_view unit, double factor) -> std::optional<double> {
        if (v.size() <= unit.size() || v.compare(v.size() - unit.size(), unit.size(), unit) != 0) return std::nullopt;
        auto number = parseNumber(std::string_view(v).substr(0, v.size() - unit.size()));
        if (!number) return std::nullopt;
        return *number * factor;
    };
    if (auto px = withUnit("px", 1)) return px;
    if (auto pt = withUnit("pt", 4.0 / 3.0)) return pt;
    if (auto rem = withUnit("rem", 16)) return rem;
    if (auto em = withUnit("em", emSize)) return em;
    if (auto percent = withUnit("%", emSize / 100)) return percent;
    if (v == "0") return 0.0;
    return std::nullopt;
}

} // namespace tvkit
