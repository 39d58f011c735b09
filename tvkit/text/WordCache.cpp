#include "tvkit/text/WordCache.h"

#include "tvkit/text/FontContext.h"
#include "tvkit/text/PangoHandles.h"

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
    int ascent = 0;
    int descent = 0;
    std::unordered_map<std::string, std::vector<int>, WordHash, std::equal_to<>> widths;  // per character
};

class Cache {
public:
    FontWords& wordsIn(PangoFont* font, PangoScript script) {
        auto [it, added] = fonts_.try_emplace({font, script});
        if (added) it->second.font.reset(static_cast<PangoFont*>(g_object_ref(font)));
        return it->second;
    }

    const std::vector<int>& widthsOf(FontWords& words, std::string_view word, const PangoAnalysis& analysis) {
        if (auto it = words.widths.find(word); it != words.widths.end()) return it->second;
        if (size_ >= WordCache::capacity) clear(words);
        PangoGlyphStringHandle glyphs(pango_glyph_string_new());
        const int length = static_cast<int>(word.size());
        // The word alone is its own context, so its widths do not depend on where it stands.
        pango_shape_full(word.data(), length, word.data(), length, &analysis, glyphs.get());
        std::vector<int> widths(static_cast<std::size_t>(g_utf8_strlen(word.data(), length)));
        pango_glyph_string_get_logical_widths(glyphs.get(), word.data(), length, analysis.level, widths.data());
        if (words.widths.empty()) {
            // Pango's line box for a run comes from its font, the same for every glyph.
            PangoRectangle logical;
            pango_glyph_string_extents(glyphs.get(), analysis.font, nullptr, &logical);
            words.ascent = -logical.y;
            words.descent = logical.y + logical.height;
        }
        ++size_;
        return words.widths.emplace(word, std::move(widths)).first->second;
    }

private:
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
    const char* text = paragraph.data();
    const int length = static_cast<int>(paragraph.size());
    const auto count = static_cast<std::size_t>(g_utf8_strlen(text, length));
    std::vector<PangoLogAttr> attributes(count + 1);
    pango_get_log_attrs(text, length, -1, pango_context_get_language(context), attributes.data(),
                        static_cast<int>(count + 1));
    std::vector<LineBreaker::Character> characters(count);
    const char* c = text;
    for (std::size_t i = 0; i < count; ++i, c = g_utf8_next_char(c)) {
        const PangoLogAttr& a = attributes[i];
        if (i > 0 && a.is_mandatory_break) return std::nullopt;
        characters[i].byte = static_cast<std::size_t>(c - text);
        characters[i].white = a.is_white;
        // Breaks that would add a hyphen are left to Pango, which draws the hyphen.
        characters[i].breakBefore = a.is_line_break && !a.break_inserts_hyphen && !a.break_removes_preceding;
    }

    PangoItemListHandle items(pango_itemize(context, text, 0, length, fonts, nullptr));
    std::size_t index = 0;  // of the item's first character
    int x = 0;              // pen position, for tabs
    for (const GList* l = items.get(); l; l = l->next) {
        const auto* item = static_cast<const PangoItem*>(l->data);
        if (item->analysis.level % 2) return std::nullopt;
        FontWords& words = cache.wordsIn(item->analysis.font, static_cast<PangoScript>(item->analysis.script));
        const std::size_t end = index + static_cast<std::size_t>(item->num_chars);
        // Words end where white space gives way to the next word.
        for (std::size_t first = index; first < end;) {
            std::size_t last = first + 1;
            while (last < end && !(characters[last - 1].white && !characters[last].white)) ++last;
            const std::size_t from = characters[first].byte;
            const std::size_t to = last < count ? characters[last].byte : paragraph.size();
            const std::vector<int>& widths = cache.widthsOf(words, paragraph.substr(from, to - from), item->analysis);
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
            first = last;
        }
        index = end;
    }
    return characters;
}

} // namespace tvkit
