#pragma once
// Owning holders for the Pango and GLib handles the text code creates. Private to tvkit's
// sources: public headers never include Pango.
//
//   PangoLayoutHandle layout(pango_layout_new(FontContext::pango()));

#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace tvkit {

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
struct PangoAttrListUnref {
    void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};
struct PangoFontDescriptionFree {
    void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};
struct PangoTabArrayFree {
    void operator()(PangoTabArray* tabs) const { pango_tab_array_free(tabs); }
};
struct PangoGlyphStringFree {
    void operator()(PangoGlyphString* glyphs) const { pango_glyph_string_free(glyphs); }
};
struct PangoItemListFree {
    void operator()(GList* items) const {
        g_list_free_full(items, [](gpointer item) { pango_item_free(static_cast<PangoItem*>(item)); });
    }
};

template <typename T>
using GObjectHandle = std::unique_ptr<T, GObjectUnref>;
using PangoLayoutHandle = GObjectHandle<PangoLayout>;
using PangoAttrListHandle = std::unique_ptr<PangoAttrList, PangoAttrListUnref>;
using PangoFontDescriptionHandle = std::unique_ptr<PangoFontDescription, PangoFontDescriptionFree>;
using PangoTabArrayHandle = std::unique_ptr<PangoTabArray, PangoTabArrayFree>;
using PangoGlyphStringHandle = std::unique_ptr<PangoGlyphString, PangoGlyphStringFree>;
using PangoItemListHandle = std::unique_ptr<GList, PangoItemListFree>;  // a list of PangoItem*

} // namespace tvkit
