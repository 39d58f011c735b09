#pragma once
// Splits a paragraph into the items Pango shapes (runs of one font, script and direction), as
// pango_itemize does. Text of ASCII and the few other characters of no script that policies
// and lists are full of (list markers, tabs, typographic quotes and dashes), most of any policy
// or label, gets the same items without Pango's per-character font lookup, which costs about
// as much as measuring the text: each item copies the analysis Pango gave a sample of that
// font and script, once it is known that the font Pango picks for each character used is that
// font. Private to tvkit's text code.
//
//   PangoItemListHandle items = Itemizer::itemize(paragraph, fontAttributes);

#include "tvkit/text/PangoHandles.h"

#include <string_view>

namespace tvkit {

class Itemizer {
public:
    // `fonts` gives the font of every byte, as for pango_itemize. The list is never empty for
    // a non-empty paragraph.
    static PangoItemListHandle itemize(std::string_view paragraph, PangoAttrList* fonts);
};

} // namespace tvkit
