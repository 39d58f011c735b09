#pragma once
// Measures a paragraph character by character from words shaped once per font and kept, per
// thread, for the next time the word comes up. Text repeats its words, so most of a long
// text is measured without shaping; HarfBuzz shaping of the UI face is by far the largest
// cost of laying text out. A word is shaped with the white space after it and never across
// it, so widths agree with Pango's shaping of the whole run except where a font's contextual
// alternates look across a space (a fraction of a pixel per such place). Private to tvkit's
// text code.
//
//   auto characters = WordCache::measure(paragraph, fontAttributes, 0);
//   if (characters) lines = LineBreaker::breakLines(*characters, paragraph.size(), width, width);

#include "tvkit/text/LineBreaker.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

typedef struct _PangoAttrList PangoAttrList;

namespace tvkit {

class WordCache {
public:
    // Each character's width, line box and break opportunity; `fonts` gives the font of every
    // byte (a font description attribute over the whole text, then the runs in other fonts).
    // Tabs advance to the next multiple of `tabStop` (Pango units). None for what Pango must
    // lay out itself: right-to-left text, a line separator inside, a tab without a stop.
    static std::optional<std::vector<LineBreaker::Character>> measure(std::string_view paragraph, PangoAttrList* fonts,
                                                                      int tabStop);

    // Words kept across all fonts before the cache starts over; with a limit on the fonts it
    // holds (64), this bounds its memory.
    static constexpr std::size_t capacity = 20000;
};

} // namespace tvkit
