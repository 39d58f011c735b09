#include "tvkit/text/LineBreaker.h"

#include "tvkit/text/PangoHandles.h"

#include <algorithm>

namespace tvkit {

namespace {

// Per character: logical width and the extents of its run around the baseline.
struct CharacterMetrics {
    std::vector<int> width;
    std::vector<int> ascent;
    std::vector<int> descent;
};

CharacterMetrics measureCharacters(PangoLayout* layout, const char* text, const std::vector<std::size_t>& byteOf) {
    const std::size_t count = byteOf.size() - 1;
    CharacterMetrics m{std::vector<int>(count), std::vector<int>(count), std::vector<int>(count)};
    PangoLayoutIterHandle iter(pango_layout_get_iter(layout));
    const int baseline = pango_layout_iter_get_baseline(iter.get());
    do {
        PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter.get());
        if (!run) continue;  // the end of the line
        const auto first = static_cast<std::size_t>(
            std::lower_bound(byteOf.begin(), byteOf.end(), static_cast<std::size_t>(run->item->offset)) - byteOf.begin());
        const std::size_t end = std::min(count, first + static_cast<std::size_t>(run->item->num_chars));
        pango_glyph_item_get_logical_widths(run, text, m.width.data() + first);
        PangoRectangle logical;
        pango_layout_iter_get_run_extents(iter.get(), nullptr, &logical);
        std::fill(m.ascent.begin() + first, m.ascent.begin() + end, baseline - logical.y);
        std::fill(m.descent.begin() + first, m.descent.begin() + end, logical.y + logical.height - baseline);
    } while (pango_layout_iter_next_run(iter.get()));
    return m;
}

} // namespace

std::optional<std::vector<LineBreaker::Line>> LineBreaker::breakLines(PangoLayout* unwrapped, int firstWidth,
                                                                      int otherWidth) {
    if (pango_layout_get_line_count(unwrapped) != 1) return std::nullopt;
    // Lines laid out on their own settle their direction from their own text; with only
    // left-to-right runs that is the paragraph's.
    const PangoLayoutLine* whole = pango_layout_get_line_readonly(unwrapped, 0);
    if (whole->resolved_dir != PANGO_DIRECTION_LTR) return std::nullopt;
    for (const GSList* run = whole->runs; run; run = run->next) {
        if (static_cast<const PangoGlyphItem*>(run->data)->item->analysis.level % 2) return std::nullopt;
    }
    const char* text = pango_layout_get_text(unwrapped);
    int attributeCount = 0;
    const PangoLogAttr* attributes = pango_layout_get_log_attrs_readonly(unwrapped, &attributeCount);
    const std::size_t count = static_cast<std::size_t>(std::max(1, attributeCount) - 1);
    std::vector<std::size_t> byteOf(count + 1);
    const char* c = text;
    for (std::size_t i = 0; i < count; ++i, c = g_utf8_next_char(c)) byteOf[i] = static_cast<std::size_t>(c - text);
    byteOf[count] = static_cast<std::size_t>(c - text);
    const CharacterMetrics m = measureCharacters(unwrapped, text, byteOf);

    std::vector<Line> lines;
    for (std::size_t start = 0; start < count;) {
        const int available = lines.empty() ? firstWidth : otherWidth;
        // The last opportunity that fits. A white space before a break hangs past the edge, as
        // in Pango; once a character that is not white overflows, no later break can fit.
        std::size_t chosen = 0;
        int chosenWidth = 0;
        int width = 0;
        for (std::size_t i = start + 1; i <= count; ++i) {
            width += m.width[i - 1];
            const int shown = attributes[i - 1].is_white ? width - m.width[i - 1] : width;
            if (shown > available) break;
            if (i == count || attributes[i].is_line_break) {
                chosen = i;
                chosenWidth = shown;
            }
        }
        if (chosen == 0) return std::nullopt;
        if (chosen < count && (attributes[chosen].break_inserts_hyphen || attributes[chosen].break_removes_preceding)) {
            return std::nullopt;
        }
        std::size_t shownEnd = chosen;
        if (chosen < count && attributes[chosen - 1].is_white && chosen - 1 > start) --shownEnd;
        const int ascent = *std::max_element(m.ascent.begin() + static_cast<long>(start), m.ascent.begin() + static_cast<long>(shownEnd));
        const int descent = *std::max_element(m.descent.begin() + static_cast<long>(start), m.descent.begin() + static_cast<long>(shownEnd));
        lines.push_back({byteOf[start], byteOf[shownEnd] - byteOf[start], chosenWidth, ascent + descent});
        start = chosen;
    }
    return lines;
}

} // namespace tvkit
