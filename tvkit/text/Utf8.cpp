#include "tvkit/text/Utf8.h"

#include <glib.h>
#include <pango/pango.h>

#include <vector>

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

namespace {

bool isRegionalIndicator(gunichar c) { return c >= 0x1F1E6 && c <= 0x1F1FF; }

// Whether a grapheme boundary may depend on what precedes `c`: flags pair regional
// indicators counted from the start of their run, and marks and joiners attach backwards.
bool mayContinueCluster(gunichar c) {
    return isRegionalIndicator(c) || g_unichar_ismark(c) || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F);
}

} // namespace

std::size_t Utf8::lastCharacterStart(std::string_view text) {
    if (text.empty()) return 0;
    // Boundaries near the end do not depend on text far before it, so only a tail is analysed;
    // it grows while the whole tail might still be one cluster.
    for (std::size_t window = 64;; window *= 4) {
        std::size_t start = text.size() > window ? text.size() - window : 0;
        while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
        while (start > 0 && mayContinueCluster(g_utf8_get_char(text.data() + start))) {
            start = static_cast<std::size_t>(g_utf8_find_prev_char(text.data(), text.data() + start) - text.data());
        }
        const std::string_view tail = text.substr(start);
        const glong characters = g_utf8_strlen(tail.data(), static_cast<gssize>(tail.size()));
        std::vector<PangoLogAttr> attrs(static_cast<std::size_t>(characters) + 1);
        pango_get_log_attrs(tail.data(), static_cast<int>(tail.size()), -1, pango_language_get_default(), attrs.data(),
                            static_cast<int>(attrs.size()));
        const char* p = tail.data();
        std::size_t lastBoundary = 0;
        for (glong i = 0; i < characters; ++i) {
            if (attrs[static_cast<std::size_t>(i)].is_cursor_position) lastBoundary = static_cast<std::size_t>(p - tail.data());
            p = g_utf8_next_char(p);
        }
        if (lastBoundary > 0 || start == 0) return start + lastBoundary;
    }
}

} // namespace tvkit
