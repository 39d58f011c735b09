#include "tvkit/text/TextLayout.h"

#include "tvkit/render/Bitmap.h"
#include "tvkit/render/Painter.h"
#include "tvkit/text/HtmlImporter.h"
#include "tvkit/text/WordCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace tvkit;

namespace {

TextAttributes body(double size = 20) {
    TextAttributes a;
    a.font = Font::system(size);
    return a;
}

// A policy-like text: a heading, a paragraph mixing bold, bigger text and a link, a list.
AttributedString policy() {
    HtmlImporter::Options options;
    options.font = Font::system(14);
    options.linkColor = Color::fromRGBA8(0x0A, 0x84, 0xFF);
    return *HtmlImporter::import(
        "<h2>1. How we use your data</h2><p>We and our <b>partners</b> store and access information on your "
        "device, such as <span style=\"font-size: 21px\">cookies</span> and unique identifiers, to measure "
        "audiences. You can change your choice at any time in the <a href=\"https://example.com/privacy\">privacy "
        "settings</a>.</p><ul><li>Store and/or access information on a device</li><li>Personalised advertising "
        "and content, advertising and content measurement</li></ul>",
        options);
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

// Unwrapped left-aligned text is measured from the word cache; Pango lays out centred text
// itself, and with no width the two must agree.
TEST(TextLayout, UnwrappedTextMeasuresAsPangoLaysItOut) {
    AttributedString text = policy();
    text.append("\n\tTabbed\tcolumns and a very long line that would wrap at any width a screen has", body());
    TextLayoutOptions pango;
    pango.alignment = TextAlignment::center;
    const TextLayout ours(text, 0);
    const TextLayout theirs(text, pango);
    EXPECT_NEAR(ours.size().width, theirs.size().width, 0.01);
    EXPECT_NEAR(ours.size().height, theirs.size().height, 0.01);
    EXPECT_EQ(ours.lineCount(), theirs.lineCount());
    EXPECT_EQ(ours.lineCount(), 5);
}

TEST(TextLayout, InvalidUtf8IsRepairedNotRejected) {
    AttributedString s(std::string("ok\xFF\x00ok", 6), body());
    TextLayout layout(s, 200);
    EXPECT_EQ(layout.text().text(), "ok??ok");
    EXPECT_GT(layout.size().width, 0);
}

// Wrapped left-aligned text is broken into lines by TextLayout itself; justified text is still
// wrapped by Pango, and justifying moves no line break, line box or line start.
TEST(TextLayout, BreaksLinesAsPangoDoes) {
    const AttributedString text = policy();
    AttributedString spaced = text;
    spaced.forEachRun([](TextAttributes& a, std::string_view) { a.paragraph.lineSpacing = 3; });
    for (double width : {90.0, 170.0, 333.0, 610.0}) {
        SCOPED_TRACE(width);
        TextLayoutOptions justifiedAndSpaced = TextLayoutOptions::wrappingAt(width);
        justifiedAndSpaced.alignment = TextAlignment::justified;
        EXPECT_NEAR(TextLayout(spaced, width).size().height, TextLayout(spaced, justifiedAndSpaced).size().height, 0.01);
        EXPECT_GT(TextLayout(spaced, width).size().height, TextLayout(text, width).size().height + 5);
        TextLayoutOptions justified = TextLayoutOptions::wrappingAt(width);
        justified.alignment = TextAlignment::justified;
        const TextLayout ours(text, width);
        const TextLayout pango(text, justified);
        EXPECT_EQ(ours.lineCount(), pango.lineCount());
        EXPECT_NEAR(ours.size().height, pango.size().height, 0.01);
        EXPECT_LE(ours.size().width, width);
        const std::size_t item = text.text().find("Store");
        bool foundItem = false;
        for (double y = 1; y < pango.size().height; y += 4) {
            // Each line's first character; after a list marker the text starts at the tab stop
            // (where justifying would stretch the tab).
            EXPECT_EQ(ours.characterIndexAt({1, y}), pango.characterIndexAt({1, y})) << "at y " << y;
            if (!foundItem && ours.characterIndexAt({1, y}) == item - 4) {
                EXPECT_EQ(ours.characterIndexAt({21.9, y}), item - 1);
                EXPECT_EQ(ours.characterIndexAt({22.9, y}), item);
                foundItem = true;
            }
        }
        EXPECT_TRUE(foundItem);
    }
    const TextLayout narrow(text, 170);
    const std::size_t link = text.text().find("privacy");
    bool foundLink = false;
    for (double y = 1; y < narrow.size().height && !foundLink; y += 4) {
        for (double x = 1; x < 170 && !foundLink; x += 4) {
            if (narrow.characterIndexAt({x, y}) == link + 2) {
                EXPECT_EQ(narrow.linkAt({x, y}), "https://example.com/privacy");
                foundLink = true;
            }
        }
    }
    EXPECT_TRUE(foundLink);

    // Measured widths agree with Pango's, tab stops after list markers included.
    const AttributedString item = *HtmlImporter::import("<ul><li>Store and/or access information</li></ul>");
    EXPECT_NEAR(TextLayout(item, 1000).size().width, TextLayout(item, 0).size().width, 0.01);
    EXPECT_NEAR(TextLayout(text, 2000).size().width, TextLayout(text, 0).size().width, 0.01);

    // What only Pango's wrapping does stays with it: a word wider than the line is broken
    // between characters; a line separator starts a line.
    const TextLayout longWord(AttributedString("Supercalifragilisticexpialidocious", body()), 60);
    EXPECT_GT(longWord.lineCount(), 3);
    EXPECT_LE(longWord.size().width, 60);
    EXPECT_EQ(TextLayout(AttributedString("one\xE2\x80\xA8two", body()), 400).lineCount(), 2);
}

TEST(TextLayout, DrawsOnlyWhatTheClipShowsAndTheSameWithin) {
    const AttributedString text = policy();
    const TextLayout layout(text, 170);
    const int height = static_cast<int>(layout.size().height) + 10;
    Bitmap whole(200, height);
    Bitmap band(200, height);
    {
        Painter p(whole);
        p.drawText(layout, {5, 5});
    }
    const Rect clip{0, 47, 200, 31};  // cuts through lines
    {
        Painter p(band);
        p.clipDevice({clip});
        p.drawText(layout, {5, 5});
    }
    int inked = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool inside = y >= clip.minY() && y < clip.maxY();
            const Color expected = inside ? whole.pixel(x, y) : Color::clear();
            ASSERT_EQ(band.pixel(x, y), expected) << x << "," << y;
            if (inside && expected.alpha > 0) ++inked;
        }
    }
    EXPECT_GT(inked, 100);
}

// Measuring more distinct words (or fonts) than the cache keeps starts it over, even in the
// middle of a paragraph, and measures the same as before.
TEST(TextLayout, MeasuresTheSameAfterTheWordCacheStartsOver) {
    const AttributedString text = policy();
    const Size before = TextLayout(text, 333).size();
    AttributedString words;
    TextAttributes bold = body(14);
    bold.font.weight = Font::bold;
    for (std::size_t i = 0; i < WordCache::capacity + 500; ++i) {
        words.append("w" + std::to_string(i) + " ", i % 2 ? bold : body(14));
    }
    const TextLayout many(words, 1200);
    EXPECT_GT(many.lineCount(), 100);
    EXPECT_EQ(TextLayout(text, 333).size(), before);

    // It holds the fonts it measured with, so text in ever new sizes starts it over too.
    AttributedString sizes;
    for (int i = 0; i < 100; ++i) sizes.append("Store and access ", body(10 + i * 0.25));
    EXPECT_GT(TextLayout(sizes, 300).lineCount(), 10);
    EXPECT_EQ(TextLayout(text, 333).size(), before);
}

// Laying a layout's text out again at other widths (as a view does once it gets its width)
// reuses the measurement, and gives exactly what a fresh layout gives, whichever way each
// paragraph is laid out: broken here, by Pango (centred, right-to-left, a word wider than the
// line), empty, or cut by a line limit.
TEST(TextLayout, WrappingAgainGivesWhatAFreshLayoutGives) {
    AttributedString text = policy();
    text.append("\n\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D and more words here\n\n", body(16));
    TextAttributes centred = body(16);
    centred.paragraph.alignment = TextAlignment::center;
    text.append("A centred paragraph of several words\n", centred);
    text.append("Supercalifragilisticexpialidocious\n\tTabbed\tcolumns", body(16));

    TextLayout again(text, 0);
    TextLayoutOptions limited = TextLayoutOptions::wrappingAt(170);
    limited.maxLines = 4;
    for (const TextLayoutOptions& options : {TextLayoutOptions::wrappingAt(170), TextLayoutOptions::wrappingAt(610),
                                             limited, TextLayoutOptions::wrappingAt(90), TextLayoutOptions()}) {
        SCOPED_TRACE(options.width);
        again = TextLayout(std::move(again), options);
        const TextLayout fresh(text, options);
        EXPECT_EQ(again.size(), fresh.size());
        EXPECT_EQ(again.lineCount(), fresh.lineCount());
        for (double y = 1; y < fresh.size().height; y += 7) {
            for (double x = 1; x < fresh.size().width; x += 9) {
                ASSERT_EQ(again.characterIndexAt({x, y}), fresh.characterIndexAt({x, y})) << x << "," << y;
                ASSERT_EQ(again.linkAt({x, y}), fresh.linkAt({x, y})) << x << "," << y;
            }
        }
        const int w = static_cast<int>(fresh.size().width) + 4;
        const int h = static_cast<int>(fresh.size().height) + 4;
        Bitmap mine(w, h), theirs(w, h);
        Painter(mine).drawText(again, {2, 2});
        Painter(theirs).drawText(fresh, {2, 2});
        EXPECT_TRUE(std::equal(mine.data(), mine.data() + mine.stride() * h, theirs.data()));
    }
}
