#pragma once
// Case mapping of UTF-8 text by the full Unicode rules (German "ß" becomes "SS"), with the
// language rules a plain mapping gets wrong: in Turkish and Azerbaijani a dotted "i" becomes a
// dotted capital "İ". Invalid bytes are replaced first, as Pango requires valid text.
//
//   tvkit::TextCase::uppercased("Straße", "de");   // "STRASSE"
//   tvkit::TextCase::uppercased("istanbul", "tr"); // "İSTANBUL"

#include <string>
#include <string_view>

namespace tvkit {

struct TextCase {
    // `languageCode` is an ISO 639 code such as "en" (empty: no language rules).
    static std::string uppercased(std::string_view text, std::string_view languageCode);
};

} // namespace tvkit
