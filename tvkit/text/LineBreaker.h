#pragma once
// Breaks a paragraph that Pango has laid out on one line into lines of a given width, using the
// glyph widths that one shaping pass produced. Pango's own wrapping shapes every broken item
// again (the piece that ends a line, then the rest), so long text costs two to three shaping
// passes; breaking here costs none. Private to tvkit's text code.
//
//   PangoLayoutHandle whole = ...;   // no width set
//   if (auto lines = LineBreaker::breakLines(whole.get(), width, width)) { ... one layout per line ... }

#include <cstddef>
#include <optional>
#include <vector>

typedef struct _PangoLayout PangoLayout;

namespace tvkit {

struct LineBreaker {
    // One line, in Pango units and byte offsets into the layout's text.
    struct Line {
        std::size_t start = 0;
        std::size_t length = 0;  // without the white space the line breaks after, which is not shown
        int width = 0;           // of the shown text
        int height = 0;          // tallest ascent plus deepest descent of the fonts on the line
    };

    // Greedy breaking at the line-break opportunities Pango found, the first line `firstWidth`
    // wide and the others `otherWidth`. None when the paragraph needs what only Pango's own
    // wrapping does: a word wider than a line (broken between characters), a hyphen inserted
    // at a break, right-to-left text, or more than one line before breaking.
    static std::optional<std::vector<Line>> breakLines(PangoLayout* unwrapped, int firstWidth, int otherWidth);
};

} // namespace tvkit
