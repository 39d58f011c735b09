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

TEST(AttributedString, LinksComeInReadingOrderWithStyledPartsJoined) {
    TextAttributes body;
    TextAttributes link = body;
    link.link = "https://example.com/privacy";
    TextAttributes boldLink = link;
    boldLink.font = Font::system(20, Font::bold);
    TextAttributes other = body;
    other.link = "mailto:dpo@example.com";

    AttributedString s("Read our ", body);
    s.append("privacy ", link);
    s.append("policy", boldLink);
    s.append(" or write to ", body);
    s.append("our officer", other);
    s.append(". Again: ", body);
    s.append("policy", link);
    const std::vector<AttributedString::Link> expected{{"privacy policy", "https://example.com/privacy"},
                                                       {"our officer", "mailto:dpo@example.com"},
                                                       {"policy", "https://example.com/privacy"}};
    EXPECT_EQ(s.links(), expected);
    EXPECT_TRUE(AttributedString("no links here", body).links().empty());
}
