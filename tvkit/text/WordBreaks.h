#pragma once
// Which characters of a paragraph are white space and where a line may start: Pango's log
// attributes, worked out a word at a time and kept per thread. Pango's rules for where a line
// may break look no further than a word and the white space around it, so each word (with the
// white space after it) is analysed once, and so is each way one word follows another (the
// last characters before the white space, the white space, the first after it). A long text
// repeats its words, so this costs a fraction of analysing every paragraph whole, which was
// the largest part of laying out a policy. Paragraphs in scripts whose breaks Pango finds over
// whole runs (Thai, say), or holding a line separator, are analysed whole. Private to tvkit's
// text code.
//
//   auto characters = WordBreaks::find(paragraph, pango_context_get_language(context));
//   // each character's byte, white and breakBefore are set; widths are the caller's to fill

#include "tvkit/text/LineBreaker.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

typedef struct _PangoLanguage PangoLanguage;

namespace tvkit {

class WordBreaks {
public:
    // One entry per character (byte, white, breakBefore); none when a line separator or other
    // mandatory break lies inside the paragraph, which is Pango's to lay out.
    static std::optional<std::vector<LineBreaker::Character>> find(std::string_view paragraph,
                                                                   PangoLanguage* language);

    // Words and word junctions kept before the cache starts over.
    static constexpr std::size_t capacity = 20000;
};

} // namespace tvkit
