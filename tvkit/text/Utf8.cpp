#include "tvkit/text/Utf8.h"

#include <glib.h>

namespace tvkit {

bool Utf8::isValid(std::string_view text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

std::string Utf8::sanitized(std::string_view text) {
    std::string out(text);
    std::size_t pos = 0;
    while (pos < out.size()) {
        const gchar* end = nullptr;
        if (g_utf8_validate(out.data() + pos, static_cast<gssize>(out.size() - pos), &end)) break;
        pos = static_cast<std::size_t>(end - out.data());
        out[pos] = '?';  // a bad byte or a NUL
        ++pos;
    }
    return out;
}

} // namespace tvkit
