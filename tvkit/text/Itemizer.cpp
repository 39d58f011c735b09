#include "tvkit/text/Itemizer.h"

#include "tvkit/text/FontContext.h"

#include <algorithm>
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

bool isPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
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
    std::bitset<128> checked;
    std::bitset<128> sameFont;

    Sample(const PangoFontDescription* d, bool isLatin) : description(pango_font_description_copy(d)), latin(isLatin) {
        PangoItemListHandle items = itemsIn(text(), d);
        if (items && !items->next) {
            item.reset(static_cast<PangoItem*>(items->data));
            items->data = nullptr;
            g_list_free(items.release());
        }
    }

    std::string text() const { return latin ? "a" : "0"; }

    // Whether Pango gives `c` the sample's font in text of the sample's script: it does when
    // the sample followed by `c` stays one item. Asked once per character.
    bool keepsFontFor(char c) {
        const auto index = static_cast<std::size_t>(c);
        if (!checked[index]) {
            PangoItemListHandle items = itemsIn(text() + c, description.get());
            checked[index] = true;
            sameFont[index] = items && !items->next;
        }
        return sameFont[index];
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
std::optional<PangoItemListHandle> asciiItems(std::string_view paragraph, PangoAttrList* fonts) {
    if (!isPrintableAscii(paragraph)) return std::nullopt;
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
        // Spaces alone get the font Pango finds for a space, which need not be the sample's.
        if (stretch.find_first_not_of(' ') == std::string_view::npos) return std::nullopt;
        description.reset(pango_font_description_new());
        pango_attr_iterator_get_font(it.get(), description.get(), nullptr, nullptr);
        Sample* sample = samples.of(description.get(), latin);
        if (!sample->item) return std::nullopt;
        for (char c : stretch) {
            if (!sample->keepsFontFor(c)) return std::nullopt;
        }
        PangoItem* item = pango_item_copy(sample->item.get());
        item->offset = start;
        item->length = end - start;
        item->num_chars = end - start;
        if (!items) {
            items.reset(g_list_append(nullptr, item));
            last = items.get();
        } else {
            last = g_list_append(last, item)->next;
        }
    } while (pango_attr_iterator_next(it.get()));
    if (!items) return std::nullopt;
    return items;
}

} // namespace

PangoItemListHandle Itemizer::itemize(std::string_view paragraph, PangoAttrList* fonts) {
    if (auto items = asciiItems(paragraph, fonts)) return std::move(*items);
    return pangoItems(paragraph, fonts);
}

} // namespace tvkit
