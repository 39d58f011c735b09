#include "tvkit/text/WordCache.h"

#include "tvkit/text/FontContext.h"
#include "tvkit/text/Itemizer.h"
#include "tvkit/text/PangoHandles.h"
#include "tvkit/text/WordBreaks.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

namespace tvkit {

namespace {

struct WordHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view word) const { return std::hash<std::string_view>{}(word); }
};

// Everything measured in one font for one script (the script picks the shaping rules).
struct FontWords {
    GObjectHandle<PangoFont> font;  // held so the key's pointer cannot be reused by another font
    bool hasLineBox = false;
    int ascent = 0;
    int descent = 0;
    std::unordered_map<std::string, std::vector<int>, WordHash, std::equal_to<>> widths;  // per character
};

// Per-character widths of `text` shaped alone, so they do not depend on where it stands.
std::vector<int> shape(FontWords& words, std::string_view text, const PangoAnalysis& analysis) {
    PangoGlyphStringHandle glyphs(pango_glyph_string_new());
    const int length = static_cast<int>(text.size());
    pango_shape_full(text.data(), length, text.data(), length, &analysis, glyphs.get());
    std::vector<int> widths(static_cast<std::size_t>(g_utf8_strlen(text.data(), length)));
    pango_glyph_string_get_logical_widths(glyphs.get(), text.data(), length, analysis.level, widths.data());
    if (!words.hasLineBox) {
        // Pango's line box for a run comes from its font, the same for every glyph.
        PangoRectangle logical;
        pango_glyph_string_extents(glyphs.get(), analysis.font, nullptr, &logical);
        words.ascent = -logical.y;
        words.descent = logical.y + logical.height;
        words.hasLineBox = true;
    }
    return widths;
}

class Cache {
public:
    // Invalidates what an earlier call returned when the cache starts over.
    FontWords& wordsIn(PangoFont* font, PangoScript script) {
        const std::pair key{font, script};
        if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
        // Each entry holds its font; text in ever new sizes must not hold them all.
        if (fonts_.size() >= maxFonts) {
            fonts_.clear();
            size_ = 0;
        }
        FontWords& words = fonts_[key];
        words.font.reset(static_cast<PangoFont*>(g_object_ref(font)));
        return words;
    }

    void keep(FontWords& words, std::string_view word, std::vector<int> widths) {
        if (size_ >= WordCache::capacity) clear(words);
        words.widths.emplace(word, std::move(widths));
        ++size_;
    }

private:
    static constexpr std::size_t maxFonts = 64;

    // Starts over, keeping the entry in use (its words only).
    void clear(FontWords& keep) {
        for (auto it = fonts_.begin(); it != fonts_.end();) {
            if (&it->second == &keep) {
                ++it;
            } else {
                it = fonts_.erase(it);
            }
        }
        keep.widths.clear();
        size_ = 0;
    }

    std::map<std::pair<PangoFont*, PangoScript>, FontWords> fonts_;
    std::size_t size_ = 0;
};

Cache& threadCache() {
    // Made after the thread's font context, so it lets go of its fonts first.
    FontContext::pango();
    thread_local Cache cache;
    return cache;
}

} // namespace

std::optional<std::vector<LineBreaker::Character>> WordCache::measure(std::string_view paragraph, PangoAttrList* fonts,
                                                                      int tabStop) {
    PangoContext* context = FontContext::pango();
    Cache& cache = threadCache();
    auto measured = WordBreaks::find(paragraph, pango_context_get_language(context));
    if (!measured) return std::nullopt;
    std::vector<LineBreaker::Character>& characters = *measured;
    const char* text = paragraph.data();
    const std::size_t count = characters.size();

    PangoItemListHandle items = Itemizer::itemize(paragraph, fonts);
    std::size_t index = 0;  // of the item's first character
    int x = 0;              // pen position, for tabs
    for (const GList* l = items.get(); l; l = l->next) {
        const auto* item = static_cast<const PangoItem*>(l->data);
        if (item->analysis.level % 2) return std::nullopt;
        FontWords& words = cache.wordsIn(item->analysis.font, static_cast<PangoScript>(item->analysis.script));
        const std::size_t end = index + static_cast<std::size_t>(item->num_chars);
        auto bytesOf = [&](std::size_t first, std::size_t last) {
            const std::size_t from = characters[first].byte;
            return paragraph.substr(from, (last < count ? characters[last].byte : paragraph.size()) - from);
        };
        // Words end where white space gives way to the next word.
        std::vector<std::pair<std::size_t, std::size_t>> spans;
        for (std::size_t first = index; first < end;) {
            std::size_t last = first + 1;
            while (last < end && !(characters[last - 1].white && !characters[last].white)) ++last;
            spans.emplace_back(first, last);
            first = last;
        }
        const auto unseen = std::count_if(spans.begin(), spans.end(), [&](const auto& span) {
            return !words.widths.contains(bytesOf(span.first, span.second));
        });
        // A shaping call costs much beyond its characters, so several unseen words are shaped
        // in one go, as the whole item.
        const std::vector<int> itemWidths = unseen > 1 ? shape(words, bytesOf(index, end), item->analysis)
                                                       : std::vector<int>();
        for (const auto& [first, last] : spans) {
            const std::string_view word = bytesOf(first, last);
            const auto known = words.widths.find(word);
            const bool seen = known != words.widths.end();
            std::vector<int> fresh;
            if (!seen) {
                fresh = itemWidths.empty() ? shape(words, word, item->analysis)
                                           : std::vector<int>(itemWidths.begin() + static_cast<long>(first - index),
                                                              itemWidths.begin() + static_cast<long>(last - index));
            }
            const std::vector<int>& widths = seen ? known->second : fresh;
            for (std::size_t i = first; i < last; ++i) {
                LineBreaker::Character& character = characters[i];
                character.width = widths[i - first];
                if (text[character.byte] == '\t') {
                    if (tabStop <= 0) return std::nullopt;
                    character.width = (x / tabStop + 1) * tabStop - x;
                }
                character.ascent = words.ascent;
                character.descent = words.descent;
                x += character.width;
            }
            if (!seen) cache.keep(words, word, std::move(fresh));
        }
        index = end;
    }
    return measured;
}

} // namespace tvkit
