#include "tvkit/text/FontContext.h"

#include "tvkit/text/PangoHandles.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

// Under LeakSanitizer: fontconfig drops a couple of small pattern allocations behind Pango's
// font matching (a fixed 288 bytes per process, whatever the text). They are not ours to free,
// so every binary that lays out text says so here rather than each in its own way.
#if defined(__SANITIZE_ADDRESS__)
#define TVKIT_LSAN_SUPPRESSIONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TVKIT_LSAN_SUPPRESSIONS 1
#endif
#endif
#ifdef TVKIT_LSAN_SUPPRESSIONS
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace tvkit {

namespace {

struct ThreadFonts {
    GObjectHandle<PangoFontMap> fontMap{pango_cairo_font_map_new()};
    GObjectHandle<PangoContext> context{pango_font_map_create_context(fontMap.get())};

    ThreadFonts() {
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(context.get(), options);
        cairo_font_options_destroy(options);
        pango_cairo_context_set_resolution(context.get(), 72);
        pango_context_set_round_glyph_positions(context.get(), FALSE);
    }
};

} // namespace

PangoContext* FontContext::pango() {
    thread_local ThreadFonts fonts;
    return fonts.context.get();
}

PangoFontDescription* FontContext::describe(const Font& font) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, font.family.c_str());
    const double size = std::isfinite(font.size) && font.size > 0 ? font.size : 1;
    pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
    pango_font_description_set_weight(description, static_cast<PangoWeight>(std::clamp(font.weight, 100, 1000)));
    pango_font_description_set_style(description, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return description;
}

} // namespace tvkit
