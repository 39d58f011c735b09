#include "tvkit/text/Itemizer.h"

#include "tvkit/text/FontContext.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tvkit {

namespace {

struct PangoItemFree {
    void operator()(PangoItem* item) const { pango_item_free(item); }
};
using PangoItemHandle = std::unique_ptr<PangoItem, PangoItemFree>;
struct PangoAttrIteratorDestroy {
    void operator()(PangoAttrIterator* iterator) const { pango_attr_iterator_destroy(iterator); }
};
using PangoAttrIteratorHandle = std::unique_ptr<PangoAttrIterator, PangoAttrIteratorDestroy>;

// Characters of no script besides printable ASCII that policies and lists are full of: tab,
// no-break space, list markers, typographic quotes and dashes, ellipsis, copyright, euro. They
// take the script of the text around them, so they never split an item by script.
constexpr std::array<gunichar, 16> commonExtras{0x09,   0xA0,   0xA9,   0xAB,   0xBB,   0x2013, 0x2014, 0x2018,
                                                0x2019, 0x201C, 0x201D, 0x2022, 0x2026, 0x20AC, 0x25AA, 0x25E6};

// Where `c` stands among the characters a sample can vouch for: ASCII first, then the extras;
// none for any other character.
std::optional<std::size_t> checkIndex(gunichar c) {
    if (c >= 0x20 && c < 0x7F) return c;
    const auto* extra = std::find(commonExtras.begin(), commonExtras.end(), c);
    if (extra == commonExtras.end()) return std::nullopt;
    return 128 + static_cast<std::size_t>(extra - commonExtras.begin());
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

PangoItemListHandle pangoItems(std::string_view text, PangoAttrList* fonts) {
    return PangoItemListHandle(
        pango_itemize(FontContext::pango(), text.data(), 0, static_cast<int>(text.size()), fonts, nullptr));
}

PangoItemListHandle itemsIn(std::string_view text, const PangoFontDescription* description) {
    PangoAttrListHandle list(pango_attr_list_new());
    pango_attr_list_insert(list.get(), pango_attr_font_desc_new(description));
    return pangoItems(text, list.get());
}

// What Pango makes of ASCII text in one font description and script: a letter stands for
// Latin text, a digit for text of digits and punctuation only (which Pango leaves in the
// common script).
struct Sample {
    PangoFontDescriptionHandle description;
    bool latin = false;
    PangoItemHandle item;  // none when the sample did not come out as one item
    std::bitset<128 + commonExtras.size()> checked;
    std::bitset<128 + commonExtras.size()> sameFont;

    Sample(const PangoFontDescription* d, bool isLatin) : description(pango_font_description_copy(d)), latin(isLatin) {
        PangoItemListHandle items = itemsIn(text(), d);
        if (items && !items->next) {
            item.reset(static_cast<PangoItem*>(items->data));
            items->data = nullptr;
            g_list_free(items.release());
        }
    }

    std::string text() const { return latin ? "a" : "0"; }

    // Whether Pango gives `c` (at `index`, see checkIndex) the sample's font in text of the
    // sample's script: it does when the sample followed by `c` stays one item, or for a tab,
    // which always gets an item of its own, when that item is like the sample's. Asked once
    // per character.
    bool keepsFontFor(gunichar c, std::size_t index) {
        if (!checked[index]) {
            std::array<char, 8> utf8{};
            const int bytes = g_unichar_to_utf8(c, utf8.data());
            // Appended, not added: g++ 12 at -O3 falsely warns (-Wrestrict) on the sum of two temporaries.
            PangoItemListHandle items =
                itemsIn(text().append(utf8.data(), static_cast<std::size_t>(bytes)), description.get());
            checked[index] = true;
            if (c == '\t') {
                const GList* tab = items ? items->next : nullptr;
                sameFont[index] = tab && !tab->next && sameAnalysis(static_cast<const PangoItem*>(tab->data)->analysis);
            } else {
                sameFont[index] = items && !items->next;
            }
        }
        return sameFont[index];
    }

    bool sameAnalysis(const PangoAnalysis& other) const {
        const PangoAnalysis& own = item->analysis;
        return other.font == own.font && other.script == own.script && other.level == own.level &&
               other.gravity == own.gravity && other.flags == own.flags && other.language == own.language &&
               g_slist_length(other.extra_attrs) == g_slist_length(own.extra_attrs);
    }
};

// Per thread, as the font context is.
class Samples {
public:
    Sample* of(const PangoFontDescription* description, bool latin) {
        for (const auto& s : samples_) {
            if (s->latin == latin && pango_font_description_equal(s->description.get(), description)) return s.get();
        }
        // Each sample holds its font; text in ever new sizes must not hold them all.
        if (samples_.size() >= maxSamples) samples_.clear();
        samples_.push_back(std::make_unique<Sample>(description, latin));
        return samples_.back().get();
    }

private:
    static constexpr std::size_t maxSamples = 64;
    std::vector<std::unique_ptr<Sample>> samples_;
};

Samples& threadSamples() {
    // Made after the thread's font context, so it lets go of its fonts first.
    FontContext::pango();
    thread_local Samples samples;
    return samples;
}

// Pango ends an item wherever an attribute starts or ends, so each stretch between such
// places is an item of its own when one font covers the text.
std::optional<PangoItemListHandle> sampledItems(std::string_view paragraph, PangoAttrList* fonts) {
    const bool latin = std::any_of(paragraph.begin(), paragraph.end(), isLetter);
    Samples& samples = threadSamples();
    const int length = static_cast<int>(paragraph.size());
    PangoItemListHandle items;
    GList* last = nullptr;
    PangoAttrIteratorHandle it(pango_attr_list_get_iterator(fonts));
    PangoFontDescriptionHandle description;
    do {
        int start = 0;
        int end = 0;
        pango_attr_iterator_range(it.get(), &start, &end);
        start = std::max(start, 0);
        end = std::min(end, length);
        if (start >= end) continue;
        const std::string_view stretch = paragraph.substr(static_cast<std::size_t>(start),
                                                          static_cast<std::size_t>(end - start));
        description.reset(pango_font_description_new());
        pango_attr_iterator_get_font(it.get(), description.get(), nullptr, nullptr);
        Sample* sample = samples.of(description.get(), latin);
        if (!sample->item) return std::nullopt;
        bool visible = false;
        for (const char* c = stretch.data(); c < stretch.data() + stretch.size(); c = g_utf8_next_char(c)) {
            const auto byte = static_cast<unsigned char>(*c);
            const gunichar u = byte < 0x80 ? byte : g_utf8_get_char(c);
            const std::optional<std::size_t> index = checkIndex(u);
            if (!index || !sample->keepsFontFor(u, *index)) return std::nullopt;
            visible = visible || (byte < 0x80 ? byte > ' ' : g_unichar_isgraph(u));
        }
        // White space alone gets the font Pango finds for it, which need not be the sample's.
        if (!visible) return std::nullopt;
        auto add = [&](int from, int to, int characters) {
            if (from == to) return;
            PangoItem* item = pango_item_copy(sample->item.get());
            item->offset = from;
            item->length = to - from;
            item->num_chars = characters;
            if (!items) {
                items.reset(g_list_append(nullptr, item));
                last = items.get();
            } else {
                last = g_list_append(last, item)->next;
            }
        };
        // Pango gives every tab an item of its own.
        int from = start;
        int characters = 0;
        for (const char* c = stretch.data(); c < stretch.data() + stretch.size(); c = g_utf8_next_char(c)) {
            if (*c != '\t') {
                ++characters;
                continue;
            }
            const int tab = start + static_cast<int>(c - stretch.data());
            add(from, tab, characters);
            add(tab, tab + 1, 1);
            from = tab + 1;
            characters = 0;
        }
        add(from, end, characters);
    } while (pango_attr_iterator_next(it.get()));
    if (!items) return std::nullopt;
    return items;
}

} // namespace

PangoItemListHandle Itemizer::itemize(std::string_view paragraph, PangoAttrList* fonts) {
    if (auto items = sampledItems(paragraph, fonts)) return std::move(*items);
    return pangoItems(paragraph, fonts);
}

} // namespace tvkit
