#include "tvkit/text/AttributedString.h"

#include <gtest/gtest.h>

using namespace tvkit;

namespace {
TextAttributes colored(Color c) {
    TextAttributes a;
    a.color = c;
    return a;
}
} // namespace

TEST(AttributedString, RunsStayContiguousThroughEditing) {
    const TextAttributes red = colored(Color::fromRGBA8(255, 0, 0));
    const TextAttributes blue = colored(Color::fromRGBA8(0, 0, 255));
    AttributedString s("ab", red);
    s.append("cd", red);  // joins the run
    s.append("ef", blue);
    ASSERT_EQ(s.runs().size(), 2u);
    EXPECT_EQ(s.runs()[0].length, 4u);

    s.erase(3, 2);  // "abcf": cuts across both runs
    EXPECT_EQ(s.text(), "abcf");
    ASSERT_EQ(s.runs().size(), 2u);
    EXPECT_EQ(s.runs()[1].start, 3u);
    EXPECT_EQ(s.runs()[1].length, 1u);
    EXPECT_EQ(s.attributesAt(3)->color, blue.color);
    EXPECT_EQ(s.attributesAt(4), nullptr);

    s.erase(0, 3);
    ASSERT_EQ(s.runs().size(), 1u);
    EXPECT_EQ(s.runs()[0].start, 0u);
}

TEST(AttributedString, ReplaceAllKeepsEachOccurrencesStyling) {
    const TextAttributes red = colored(Color::fromRGBA8(255, 0, 0));
    const TextAttributes blue = colored(Color::fromRGBA8(0, 0, 255));
    AttributedString s("a\xC2\xA0" "b", red);
    s.append("\xC2\xA0" "c", blue);
    s.replaceAll("\xC2\xA0", " ");
    EXPECT_EQ(s.text(), "a b c");
    ASSERT_EQ(s.runs().size(), 2u);
    EXPECT_EQ(s.runs()[0].length, 3u);
    EXPECT_EQ(s.attributesAt(3)->color, blue.color);

    // Restyling that makes neighbours equal merges them.
    s.forEachRun([&](TextAttributes& a, std::string_view) { a = red; });
    EXPECT_EQ(s.runs().size(), 1u);
}
