#include "tvkit/text/Itemizer.h"

#include "tvkit/text/FontContext.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace tvkit;

namespace {

struct FontRun {
    std::size_t from;
    std::size_t to;
    Font font;
};

PangoAttrListHandle fontsOf(std::size_t length, const Font& paragraph, const std::vector<FontRun>& runs) {
    PangoAttrListHandle list(pango_attr_list_new());
    auto insert = [&](const Font& font, std::size_t from, std::size_t to) {
        PangoFontDescriptionHandle description(FontContext::describe(font));
        PangoAttribute* a = pango_attr_font_desc_new(description.get());
        a->start_index = static_cast<guint>(from);
        a->end_index = static_cast<guint>(to);
        pango_attr_list_insert(list.get(), a);
    };
    insert(paragraph, 0, length);
    for (const FontRun& r : runs) insert(r.font, r.from, r.to);
    return list;
}

// The items Pango itself makes and the Itemizer's, field by field.
void expectSameItems(const std::string& text, const std::vector<FontRun>& runs) {
    SCOPED_TRACE(text);
    PangoAttrListHandle fonts = fontsOf(text.size(), Font::system(14), runs);
    PangoItemListHandle expected(
        pango_itemize(FontContext::pango(), text.data(), 0, static_cast<int>(text.size()), fonts.get(), nullptr));
    PangoItemListHandle actual = Itemizer::itemize(text, fonts.get());
    ASSERT_EQ(g_list_length(expected.get()), g_list_length(actual.get()));
    for (GList *e = expected.get(), *a = actual.get(); e; e = e->next, a = a->next) {
        const auto* want = static_cast<const PangoItem*>(e->data);
        const auto* got = static_cast<const PangoItem*>(a->data);
        EXPECT_EQ(want->offset, got->offset);
        EXPECT_EQ(want->length, got->length);
        EXPECT_EQ(want->num_chars, got->num_chars);
        EXPECT_EQ(want->analysis.font, got->analysis.font);
        EXPECT_EQ(want->analysis.script, got->analysis.script);
        EXPECT_EQ(want->analysis.level, got->analysis.level);
        EXPECT_EQ(want->analysis.gravity, got->analysis.gravity);
        EXPECT_EQ(want->analysis.flags, got->analysis.flags);
        EXPECT_EQ(want->analysis.language, got->analysis.language);
        EXPECT_EQ(g_slist_length(want->analysis.extra_attrs), g_slist_length(got->analysis.extra_attrs));
    }
}

} // namespace

TEST(Itemizer, GivesPangosItemsForAsciiAndOtherText) {
    expectSameItems("We and our partners store information on your device.", {});
    expectSameItems("12. (3) 4,5%", {});                      // digits and punctuation only
    expectSameItems("Read our privacy policy, then decide.", {{9, 23, Font::system(14, Font::bold)}});
    // Neighbouring runs in one font are still items of their own, as in Pango.
    expectSameItems("one two three", {{0, 3, Font::system(18)}, {3, 7, Font::system(18)}});
    expectSameItems("a  b", {{1, 3, Font::system(14, Font::bold)}});  // a run of spaces alone
    expectSameItems("caf\xC3\xA9 \xE2\x80\xA2 menu", {});      // not ASCII: Pango's own path
    expectSameItems("a\tb", {});
    expectSameItems("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D hello", {});  // right to left, then Latin
}

TEST(Itemizer, AgreesWithPangoOnEveryPrintableCharacterInMixedFonts) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> character(0x20, 0x7E);
    const std::vector<Font> fonts{Font::system(14, Font::bold), Font{Font::systemFamily, 11, Font::regular, true}, Font::system(30, 300)};
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int length = 1 + round % 40;
        for (int i = 0; i < length; ++i) text += static_cast<char>(character(random));
        std::vector<FontRun> runs;
        if (round % 3 != 0 && text.size() > 2) {
            const std::size_t from = random() % (text.size() - 1);
            runs.push_back({from, from + 1 + random() % (text.size() - from - 1), fonts[round % fonts.size()]});
        }
        expectSameItems(text, runs);
    }
}

// List items, quotes and dashes take the same short cut: a marker and a tab before the words,
// typographic punctuation among them, runs of other fonts starting anywhere between characters.
TEST(Itemizer, AgreesWithPangoOnListMarkersQuotesAndDashes) {
    expectSameItems("\xE2\x80\xA2\tAudience measurement", {});
    expectSameItems("\xE2\x80\xA2\t2024", {});
    expectSameItems("\xE2\x80\x9CQuoted\xE2\x80\x9D \xE2\x80\x93 it\xE2\x80\x99s 5\xC2\xA0\xE2\x82\xAC\xE2\x80\xA6", {});
    expectSameItems("a\t\xC2\xA0 b", {{1, 5, Font::system(14, Font::bold)}});  // white space alone
    const std::vector<std::string> pieces{"\xE2\x80\xA2", "\xE2\x97\xA6", "\xE2\x96\xAA", "\t", "\xC2\xA0",
                                          "\xE2\x80\x94", "\xE2\x80\x98", "\xC2\xAB", "\xC2\xA9", " ", "word", "12",
                                          ".", "\xC3\xA9", "\xCE\xB1"};
    const std::vector<Font> fonts{Font::system(14, Font::bold), Font{Font::systemFamily, 11, Font::regular, true}};
    std::mt19937 random(3);
    for (int round = 0; round < 80; ++round) {
        std::string text;
        std::vector<std::size_t> boundaries{0};
        const int count = 1 + round % 9;
        for (int i = 0; i < count; ++i) {
            text += pieces[random() % pieces.size()];
            boundaries.push_back(text.size());
        }
        std::vector<FontRun> runs;
        if (round % 2 && boundaries.size() > 2) {
            const std::size_t from = random() % (boundaries.size() - 1);
            const std::size_t to = from + 1 + random() % (boundaries.size() - from - 1);
            runs.push_back({boundaries[from], boundaries[to], fonts[round % fonts.size()]});
        }
        expectSameItems(text, runs);
    }
}
