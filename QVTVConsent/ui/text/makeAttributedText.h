#pragma once
// Turns a template's HTML fragment into the styled text the screens show: a small style sheet
// built from the template's text and link colours is put in front of the fragment and the
// whole is imported as HTML; links and underlined runs take the link colour, lists keep their
// markers but lose their list information, no-break spaces become spaces and images without a
// size leave nothing behind.
//
//   tvkit::AttributedString text = qvtv::makeAttributedText(
//       qvtv::StringUtils::trim(data.html), data.textColor, data.linkColor);

#include "tvkit/text/AttributedString.h"

#include <string>
#include <string_view>

namespace qvtv {

// The style sheet put in front of every fragment. The colour texts go in as they are, so a
// text that is not a CSS colour leaves the body in the importer's default colour.
std::string htmlStyleSheet(std::string_view textColor, std::string_view linkColor);

// `html` is the fragment already trimmed of white space and line breaks. When it cannot be
// imported (not UTF-8, too large or too deeply nested) the result is `html` itself as plain text.
tvkit::AttributedString makeAttributedText(std::string_view html, std::string_view textColor,
                                           std::string_view linkColor);

} // namespace qvtv
