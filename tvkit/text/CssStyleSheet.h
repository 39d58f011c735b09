#pragma once
// The small part of CSS the HTML importer understands: rules whose selectors are plain element
// names (comma lists allowed), inline `style` attributes, `!important`, colours and lengths.
// Anything else (classes, combinators, at-rules) is skipped, never an error.
//
//   auto sheet = CssStyleSheet::parse("a { color: #0A84FF !important; }");
//   for (const auto& d : sheet.declarationsFor("a")) apply(d.property, d.value, d.important);

#include "tvkit/graphics/Color.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tvkit {

class CssStyleSheet {
public:
    struct Declaration {
        std::string property;  // lower case
        std::string value;     // trimmed, without "!important"
        bool important = false;
    };

    static CssStyleSheet parse(std::string_view css);
    // Declarations of a `style="..."` attribute.
    static std::vector<Declaration> parseDeclarations(std::string_view block);

    // Declarations of every rule naming `element` (lower case), in source order.
    std::vector<Declaration> declarationsFor(std::string_view element) const;
    bool empty() const { return rules_.empty(); }

    // "#rgb", "#rrggbb", "#rrggbbaa", "rgb()/rgba()" or a basic colour keyword.
    static std::optional<Color> parseColor(std::string_view value);
    // A length in pixels: "14px", "10.5pt", "1.2em" or "120%" (both relative to `emSize`), "0".
    static std::optional<double> parseLength(std::string_view value, double emSize);

private:
    struct Rule {
        std::vector<std::string> elements;
        std::vector<Declaration> declarations;
    };
    std::vector<Rule> rules_;
};

} // namespace tvkit
