#pragma once
// The Pango context every text measurement and drawing in tvkit shares, one per thread, so a
// string measured for layout and the same string drawn by the renderer get the same metrics
// (unhinted metrics, unrounded glyph positions: text stays put when a view is scaled).
//
//   PangoLayoutHandle layout(pango_layout_new(FontContext::pango()));
//   auto description = FontContext::describe(Font::system(20, Font::bold));

#include "tvkit/text/Font.h"

#include <memory>

typedef struct _PangoContext PangoContext;
typedef struct _PangoFontDescription PangoFontDescription;

namespace tvkit {

class FontContext {
public:
    // The calling thread's context; valid for the thread's lifetime.
    static PangoContext* pango();
    // A new font description for `font` (caller frees it, see PangoFontDescriptionHandle).
    static PangoFontDescription* describe(const Font& font);
};

} // namespace tvkit
