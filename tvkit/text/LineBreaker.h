#pragma once
// Breaks a measured paragraph into lines of a given width: greedy, at the line-break
// opportunities Pango finds, with a white space before a break hanging past the edge as in
// Pango. Breaking here rather than in Pango means the text is shaped once to measure it
// (see WordCache) and each line once when it is drawn; Pango's own wrapping shapes every
// broken item again, the piece that ends a line and then the rest.
//
//   auto characters = WordCache::measure(paragraph, fonts, tabStop);
//   if (characters) lines = LineBreaker::breakLines(*characters, paragraph.size(), width, width);

#include <cstddef>
#include <optional>
#include <vector>

namespace tvkit {

struct LineBreaker {
    // One character of the paragraph, in Pango units.
    struct Character {
        std::size_t byte = 0;      // offset in the paragraph's text
        int width = 0;
        int ascent = 0;            // of its font's line box, above the baseline
        int descent = 0;
        bool white = false;
        bool breakBefore = false;  // a line may start with this character
    };

    // One line, in Pango units and byte offsets into the paragraph's text.
    struct Line {
        std::size_t start = 0;
        std::size_t length = 0;  // without the white space the line breaks after, which is not shown
        int width = 0;           // of the shown text
        int height = 0;          // tallest ascent plus deepest descent of the fonts on the line
    };

    // The first line `firstWidth` wide, the others `otherWidth`. None when a word is wider than
    // a line: only Pango's own wrapping breaks between characters.
    static std::optional<std::vector<Line>> breakLines(const std::vector<Character>& characters, std::size_t bytes,
                                                       int firstWidth, int otherWidth);
};

} // namespace tvkit
