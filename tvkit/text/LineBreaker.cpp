#include "tvkit/text/LineBreaker.h"

#include <algorithm>

namespace tvkit {

std::optional<std::vector<LineBreaker::Line>> LineBreaker::breakLines(const std::vector<Character>& characters,
                                                                      std::size_t bytes, int firstWidth,
                                                                      int otherWidth) {
    const std::size_t count = characters.size();
    auto byteAt = [&](std::size_t i) { return i < count ? characters[i].byte : bytes; };
    std::vector<Line> lines;
    for (std::size_t start = 0; start < count;) {
        const int available = lines.empty() ? firstWidth : otherWidth;
        // The last opportunity that fits. Once a character that is not white overflows, no
        // later break can fit.
        std::size_t chosen = 0;
        int chosenWidth = 0;
        int width = 0;
        for (std::size_t i = start + 1; i <= count; ++i) {
            const Character& last = characters[i - 1];
            width += last.width;
            const int shown = last.white ? width - last.width : width;
            if (shown > available) break;
            if (i == count) {
                chosen = i;
                chosenWidth = width;  // the paragraph's end keeps its white space
            } else if (characters[i].breakBefore) {
                chosen = i;
                chosenWidth = shown;
            }
        }
        if (chosen == 0) return std::nullopt;
        std::size_t shownEnd = chosen;
        if (chosen < count && characters[chosen - 1].white && chosen - 1 > start) --shownEnd;
        int ascent = 0;
        int descent = 0;
        for (std::size_t i = start; i < shownEnd; ++i) {
            ascent = std::max(ascent, characters[i].ascent);
            descent = std::max(descent, characters[i].descent);
        }
        lines.push_back({byteAt(start), byteAt(shownEnd) - byteAt(start), chosenWidth, ascent + descent});
        start = chosen;
    }
    return lines;
}

} // namespace tvkit
