#include "tvkit/text/TextLayout.h"

#include <gtest/gtest.h>

using namespace tvkit;

namespace {

TextAttributes body(double size = 20) {
    TextAttributes a;
    a.font = Font::system(size);
    return a;
}

} // namespace

TEST(TextLayout, MeasuresWithTheBundledFontAndWrapsAtTheWidth) {
    AttributedString line("Privacy preferences", body());
    const Size oneLine = TextLayout::measure(line, 0);
    // Inter at 20 px: about 9 px per character and a line about 24 px high.
    EXPECT_GT(oneLine.width, 150);
    EXPECT_LT(oneLine.width, 210);
    EXPECT_GT(oneLine.height, 20);
    EXPECT_LT(oneLine.height, 30);

    const Size wrapped = TextLayout::measure(line, oneLine.width * 0.7);
    EXPECT_LE(wrapped.width, oneLine.width * 0.7);
    EXPECT_NEAR(wrapped.height, 2 * oneLine.height, 1);

    // Bold is wider; a bigger size is taller; empty text needs no room.
    TextAttributes bold = body();
    bold.font.weight = Font::bold;
    EXPECT_GT(TextLayout::measure(AttributedString("Privacy preferences", bold), 0).width, oneLine.width);
    EXPECT_GT(TextLayout::measure(AttributedString("Privacy", body(40)), 0).height, 2 * oneLine.height - 4);
    EXPECT_EQ(TextLayout::measure(AttributedString(), 300), (Size{0, 0}));
}

TEST(TextLayout, ParagraphsStackWithSpacingAndIndents) {
    AttributedString s("First\nSecond", body());
    TextLayout plain(s, 400);
    EXPECT_EQ(plain.lineCount(), 2);

    TextAttributes indented = body();
    indented.paragraph.firstLineHeadIndent = 30;
    indented.paragraph.headIndent = 30;
    indented.paragraph.spacingBefore = 10;
    AttributedString spaced("First\n", body());
    spaced.append("Second", indented);
    TextLayout layout(spaced, 400);
    EXPECT_NEAR(layout.size().height, plain.size().height + 10, 0.5);
    // Left of the indented paragraph there is no character to hit.
    const double secondLineY = layout.size().height - 5;
    EXPECT_TRUE(layout.linkAt({5, secondLineY}).empty());
    EXPECT_EQ(layout.characterIndexAt({31, secondLineY}), 6u);
}

TEST(TextLayout, MaxLinesEndsWithAnEllipsis) {
    AttributedString s("one two three four five six seven eight nine ten eleven twelve", body());
    TextLayoutOptions options;
    options.width = 120;
    options.maxLines = 2;
    TextLayout layout(s, options);
    EXPECT_EQ(layout.lineCount(), 2);
    EXPECT_LT(layout.size().height, TextLayout(s, 120).size().height);
}

TEST(TextLayout, HitTestingFindsCharactersAndLinks) {
    TextAttributes link = body();
    link.link = "https://example.com/privacy";
    AttributedString s("Read the ", body());
    s.append("policy", link);
    s.append(" now", body());
    TextLayout layout(s, 0);
    const double y = layout.size().height / 2;
    const double prefix = TextLayout::measure(AttributedString("Read the ", body()), 0).width;

    EXPECT_EQ(layout.characterIndexAt({1, y}), 0u);
    EXPECT_EQ(layout.characterIndexAt({prefix + 2, y}), 9u);  // the "p"
    EXPECT_EQ(layout.linkAt({prefix + 10, y}), "https://example.com/privacy");
    EXPECT_EQ(layout.linkAt({prefix - 10, y}), "");
    // Past the end of the line or below the text is not on the link.
    EXPECT_EQ(layout.linkAt({layout.size().width + 50, y}), "");
    EXPECT_EQ(layout.linkAt({prefix + 10, layout.size().height + 20}), "");
    // Nearest character for points outside the text, so selection can clamp.
    EXPECT_EQ(layout.characterIndexAt({-20, -20}), 0u);
    EXPECT_EQ(layout.characterIndexAt({5000, y}), s.text().size() - 1);
}

TEST(TextLayout, InvalidUtf8IsRepairedNotRejected) {
    AttributedString s(std::string("ok\xFF\x00ok", 6), body());
    TextLayout layout(s, 200);
    EXPECT_EQ(layout.text().text(), "ok??ok");
    EXPECT_GT(layout.size().width, 0);
}
