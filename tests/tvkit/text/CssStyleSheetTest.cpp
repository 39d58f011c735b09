#include "tvkit/text/CssStyleSheet.h"

#include <gtest/gtest.h>

using tvkit::Color;
using tvkit::CssStyleSheet;

TEST(CssStyleSheet, RulesForPlainElementNamesWithImportance) {
    auto sheet = CssStyleSheet::parse(
        "/* house style */ body { color: #333; font-size: 14px }\n"
        "A, li { color: #0A84FF !important; text-decoration: underline ! important; }\n"
        ".note { color: red } p span { color: blue } @media tv { p { color: red } }\n"
        "ul { margin-left: 24px; ; bogus }");
    auto body = sheet.declarationsFor("body");
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(body[0].property, "color");
    EXPECT_EQ(body[0].value, "#333");
    EXPECT_FALSE(body[0].important);

    auto link = sheet.declarationsFor("a");  // element names are case-insensitive
    ASSERT_EQ(link.size(), 2u);
    EXPECT_TRUE(link[0].important);
    EXPECT_EQ(link[1].value, "underline");
    EXPECT_TRUE(link[1].important);
    EXPECT_EQ(sheet.declarationsFor("li").size(), 2u);
    // Classes, descendant selectors and at-rules are not ours: skipped, not misapplied.
    EXPECT_TRUE(sheet.declarationsFor("span").empty());
    EXPECT_EQ(sheet.declarationsFor("p").size(), 0u);
    EXPECT_EQ(sheet.declarationsFor("ul").size(), 1u);
}

TEST(CssStyleSheet, ColoursAndLengths) {
    EXPECT_EQ(CssStyleSheet::parseColor("#0A84FF"), Color::fromRGBA8(0x0A, 0x84, 0xFF));
    EXPECT_EQ(CssStyleSheet::parseColor(" #fff "), Color::white());
    EXPECT_EQ(CssStyleSheet::parseColor("#00000080")->alpha, 128 / 255.0);
    EXPECT_EQ(CssStyleSheet::parseColor("rgb(255, 0, 0)"), Color::fromRGBA8(255, 0, 0));
    EXPECT_EQ(CssStyleSheet::parseColor("rgba(0, 0, 255, 0.5)"), (Color{0, 0, 1, 0.5}));
    EXPECT_EQ(CssStyleSheet::parseColor("White"), Color::white());
    for (const char* bad : {"", "#12", "#GGGGGG", "0A84FF", "rgb(1,2)", "rgb(1,2,3,4,5)", "notacolour"}) {
        EXPECT_FALSE(CssStyleSheet::parseColor(bad)) << bad;
    }
    EXPECT_EQ(CssStyleSheet::parseLength("14px", 10), 14);
    EXPECT_EQ(CssStyleSheet::parseLength("1.5em", 10), 15);
    EXPECT_EQ(CssStyleSheet::parseLength("2rem", 10), 32);
    EXPECT_EQ(CssStyleSheet::parseLength("150%", 10), 15);
    EXPECT_EQ(CssStyleSheet::parseLength("12pt", 10), 16);
    EXPECT_EQ(CssStyleSheet::parseLength("0", 10), 0);
    EXPECT_FALSE(CssStyleSheet::parseLength("px", 10));
    EXPECT_FALSE(CssStyleSheet::parseLength("12", 10));
    EXPECT_FALSE(CssStyleSheet::parseLength("nanpx", 10));
}
