#include "tvkit/graphics/Color.h"

#include <gtest/gtest.h>

using tvkit::Color;

TEST(Color, ContrastRatiosFollowLuminanceAndReadableInkFallsBackToBlackOrWhite) {
    EXPECT_DOUBLE_EQ(Color::black().luminance(), 0);
    EXPECT_DOUBLE_EQ(Color::white().luminance(), 1);
    EXPECT_DOUBLE_EQ(Color::contrastRatio(Color::black(), Color::white()), 21);
    EXPECT_DOUBLE_EQ(Color::contrastRatio(Color::white(), Color::black()), 21);
    EXPECT_DOUBLE_EQ(Color::contrastRatio(Color::gray(0.5), Color::gray(0.5)), 1);
    // Mid grey #777777 on white is about 4.48: readable, it stays.
    const Color grey = Color::fromRGBA8(0x77, 0x77, 0x77);
    EXPECT_NEAR(Color::contrastRatio(grey, Color::white()), 4.48, 0.01);
    EXPECT_EQ(grey.readableOn(Color::white()), grey);

    // A light grey meant for a dark card, on a white field, becomes black; black on black
    // becomes white; the ink keeps its own alpha.
    const Color lightGrey = Color::fromRGBA8(0xF2, 0xF4, 0xF7);
    EXPECT_LT(Color::contrastRatio(lightGrey, Color::white()), 1.2);
    EXPECT_EQ(lightGrey.readableOn(Color::white()), Color::black());
    EXPECT_EQ(Color::black().withAlpha(0.5).readableOn(Color::black()), Color::white().withAlpha(0.5));
    EXPECT_EQ(lightGrey.readableOn(Color::white(), 1.0), lightGrey) << "the threshold is the caller's";
}
