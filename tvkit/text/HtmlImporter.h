#pragma once
// Turns an HTML fragment, with an optional <style> element, into attributed text. Parsing is
// gumbo's; styling is ours and covers what content templates use: p, div, br, h1-h6, b/strong,
// i/em, u, a href, span style, ul/ol/li with visible markers, img; the style sheet may set the
// body's font and colour, link colour and underline (with !important) and list margins.
//
//   HtmlImporter::Options options;
//   options.linkColor = Color::fromRGBA8(0x0A, 0x84, 0xFF);
//   AttributedString text = HtmlImporter::importOrPlain(document, fragment, options);

#include "tvkit/text/AttributedString.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace tvkit {

class HtmlImporter {
public:
    struct Options {
        Font font = Font::system(16);  // before any style sheet
        Color color = Color::black();
        // When set, links are underlined and drawn in this colour whatever inline styles say, and
        // so is any other underlined run (on a TV an underline reads as a link).
        std::optional<Color> linkColor;
        bool keepTextLists = true;          // false drops list info from paragraph styles
        std::size_t maxInputBytes = 1 << 20;
        int maxNesting = 2048;              // deeper documents are refused before parsing
    };

    // The styled text, with no-break spaces turned into plain ones, images without a size
    // dropped and leading and trailing blank lines trimmed. None (with a log line) when the
    // input is not UTF-8, too large or too deeply nested.
    static std::optional<AttributedString> import(std::string_view document, const Options& options);
    static std::optional<AttributedString> import(std::string_view document) { return import(document, Options{}); }

    // import(), or `plainText` unstyled (in the options' font and colour) when that fails.
    static AttributedString importOrPlain(std::string_view document, std::string_view plainText,
                                          const Options& options);

    // The words a fragment shows, for places that draw plain text: no markup, entities
    // decoded, each paragraph and list item on its own line, list items after their marker
    // ("• Item"). Text without '<' or '&' is returned as it is (its line breaks kept); a
    // fragment that cannot be imported is returned as it is too.
    static std::string plainText(std::string_view fragment);
};

} // namespace tvkit
