#include "tvkit/text/WordBreaks.h"

#include <gtest/gtest.h>
#include <pango/pango.h>

#include <array>
#include <random>
#include <string>

using namespace tvkit;

namespace {

// Pango's own analysis of the whole paragraph, as the layout had it before.
std::optional<std::vector<LineBreaker::Character>> analysedWhole(const std::string& paragraph) {
    const int length = static_cast<int>(paragraph.size());
    const auto count = static_cast<std::size_t>(g_utf8_strlen(paragraph.data(), length));
    std::vector<PangoLogAttr> attributes(count + 1);
    pango_get_log_attrs(paragraph.data(), length, -1, pango_language_get_default(), attributes.data(),
                        static_cast<int>(count + 1));
    std::vector<LineBreaker::Character> characters(count);
    const char* c = paragraph.data();
    for (std::size_t i = 0; i < count; ++i, c = g_utf8_next_char(c)) {
        const PangoLogAttr& a = attributes[i];
        if (i > 0 && a.is_mandatory_break) return std::nullopt;
        characters[i].byte = static_cast<std::size_t>(c - paragraph.data());
        characters[i].white = a.is_white;
        characters[i].breakBefore = a.is_line_break && !a.break_inserts_hyphen && !a.break_removes_preceding;
    }
    return characters;
}

void expectSameBreaks(const std::string& paragraph) {
    SCOPED_TRACE(paragraph);
    const auto expected = analysedWhole(paragraph);
    const auto found = WordBreaks::find(paragraph, pango_language_get_default());
    ASSERT_EQ(found.has_value(), expected.has_value());
    if (!expected) return;
    ASSERT_EQ(found->size(), expected->size());
    for (std::size_t i = 0; i < expected->size(); ++i) {
        EXPECT_EQ((*found)[i].byte, (*expected)[i].byte) << "character " << i;
        EXPECT_EQ((*found)[i].white, (*expected)[i].white) << "character " << i;
        EXPECT_EQ((*found)[i].breakBefore, (*expected)[i].breakBefore) << "character " << i;
    }
}

// Pieces that exercise the rules around white space: brackets, quotes, numbers with
// separators and currency, dashes and hyphens (soft, hard, non-breaking), spaces that glue
// or break, combining marks, joiners, and scripts analysed whole.
constexpr std::array pieces{
    "word", "Privacy", "a", "I", "12", "3.5", "1,000", "$", "\xE2\x82\xAC", "%", "(", ")", "[", "]", "{", "}",
    "\"", "'", "\xE2\x80\x99", "\xE2\x80\x9C", "\xE2\x80\x9D", "\xC2\xAB", "\xC2\xBB", ",", ".", ";", ":", "!",
    "?", "\xE2\x80\xA6", "-", "\xE2\x80\x93", "\xE2\x80\x94", "\xE2\x80\x90", "\xC2\xAD", "/", "&", "#", "*",
    "e\xCC\x81", "\xCC\x81", "\xE2\x80\x8D", "\xE2\x80\x8B", "\xE2\x81\xA0", "\xC3\xA9t\xC3\xA9", "\xCE\xB1\xCE\xB2",
    "\xD0\xB4\xD0\xB0", "\xE2\x86\x92", "\xE4\xBD\xA0\xE5\xA5\xBD", "\xE0\xB8\xAA\xE0\xB8\xA7\xE0\xB8\xB1\xE0\xB8\xAA",
    "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", "\xF0\x9F\x91\x8D", "\n",
};
constexpr std::array spaces{" ", " ", " ", "  ", "\t", "\xC2\xA0", "\xE2\x80\x82", "\xE2\x80\xAF", "\xE3\x80\x80", ""};

} // namespace

// Analysing word by word, from the cache or afresh, finds exactly what analysing the whole
// paragraph finds, whatever stands around the white space; text that only a whole analysis
// gets right (other scripts, line separators) is analysed whole.
TEST(WordBreaks, FindsWhatPangoFindsInTheWholeParagraph) {
    expectSameBreaks("");
    expectSameBreaks("We and our partners store and access information on your device.");
    expectSameBreaks("  leading spaces, trailing ones  ");
    expectSameBreaks("one\xE2\x80\xA8two");
    expectSameBreaks("(see \xE2\x80\x9C" "below\xE2\x80\x9D) \xE2\x80\x94 1. How we use it: 3 000 \xE2\x82\xAC / 5 %");

    std::mt19937 random(7);
    auto pick = [&](const auto& list) { return list[random() % list.size()]; };
    for (int n = 0; n < 3000; ++n) {
        std::string paragraph;
        const int words = 1 + static_cast<int>(random() % 12);
        for (int w = 0; w < words; ++w) {
            const int parts = 1 + static_cast<int>(random() % 3);
            for (int p = 0; p < parts; ++p) paragraph += pick(pieces);
            // New words too, so the cache fills and starts over along the way.
            if (random() % 4 == 0) paragraph += std::to_string(random() % 100000);
            paragraph += pick(spaces);
        }
        expectSameBreaks(paragraph);
        expectSameBreaks(paragraph);  // now from what was kept
        if (HasFailure()) return;
    }
}
