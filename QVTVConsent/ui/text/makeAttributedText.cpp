#include "QVTVConsent/ui/text/makeAttributedText.h"

#include "QVTVConsent/model/ColorUtils.h"
#include "tvkit/text/HtmlImporter.h"

namespace qvtv {

namespace {

// Templates reach us through the HTTP client, whose answers are capped at 8 MiB; a fragment
// of any size it can deliver is imported rather than shown as raw markup.
constexpr std::size_t maxFragmentBytes = std::size_t{8} << 20;

} // namespace

std::string htmlStyleSheet(std::string_view textColor, std::string_view linkColor) {
    std::string sheet = "<style>\nbody {\n    font-family: -apple-system;\n    font-size: 14px;\n    color: ";
    sheet += textColor;
    sheet += ";\n}\na {\n    color: ";
    sheet += linkColor;
    sheet += " !important;\n    text-decoration: underline !important;\n}\nul, li {\n    margin-left: 24px;\n}\n</style>\n";
    return sheet;
}

tvkit::AttributedString makeAttributedText(std::string_view html, std::string_view textColor,
                                           std::string_view linkColor) {
    tvkit::HtmlImporter::Options options;
    // A template colour that CSS does not read (hex digits without '#' are common in templates)
    // still gives the body its colour rather than black on a dark screen.
    options.color = ColorUtils::fromHex(textColor);
    options.linkColor = ColorUtils::fromHex(linkColor);
    options.keepTextLists = false;
    options.maxInputBytes = maxFragmentBytes + 4096;
    std::string document = htmlStyleSheet(textColor, linkColor);
    document += html;
    return tvkit::HtmlImporter::importOrPlain(document, html, options);
}

} // namespace qvtv
