#include "tvkit/text/TextCase.h"

#include <glib.h>

#include <memory>

#include "tvkit/text/Utf8.h"

namespace tvkit {

std::string TextCase::uppercased(std::string_view text, std::string_view languageCode) {
    std::string input = Utf8::isValid(text) ? std::string(text) : Utf8::sanitized(text);
    if (languageCode == "tr" || languageCode == "az") {
        std::string dotted;
        dotted.reserve(input.size());
        for (char c : input) {
            if (c == 'i') {
                dotted += "\xC4\xB0";  // U+0130 LATIN CAPITAL LETTER I WITH DOT ABOVE
            } else {
                dotted += c;
            }
        }
        input = std::move(dotted);
    }
    std::unique_ptr<gchar, decltype(&g_free)> upper(g_utf8_strup(input.data(), static_cast<gssize>(input.size())),
                                                    &g_free);
    return upper ? std::string(upper.get()) : input;
}

} // namespace tvkit
