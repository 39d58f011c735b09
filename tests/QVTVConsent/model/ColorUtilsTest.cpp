#include "QVTVConsent/model/ColorUtils.h"

#include <gtest/gtest.h>

using qvtv::ColorUtils;

TEST(ColorUtils, FromHexReadsSixDigitsAfterAnOptionalHash) {
    EXPECT_EQ(ColorUtils::fromHex(" #00ff7f \n"), (tvkit::Color{0, 1.0, 127 / 255.0, 1.0}));
    EXPECT_EQ(ColorUtils::fromHex("336699", 0.5), (tvkit::Color{0x33 / 255.0, 0x66 / 255.0, 0x99 / 255.0, 0.5}));
    // Only the low 24 bits count: eight digits lose the leading two, three digits are one small number.
    EXPECT_EQ(ColorUtils::fromHex("#80112233"), ColorUtils::fromHex("#112233"));
    EXPECT_EQ(ColorUtils::fromHex("FFF"), (tvkit::Color{0, 15 / 255.0, 1.0, 1.0}));
    EXPECT_EQ(ColorUtils::fromHex("12zz"), (tvkit::Color{0, 0, 0x12 / 255.0, 1.0}));
    EXPECT_EQ(ColorUtils::fromHex("not a colour"), tvkit::Color::black());
    EXPECT_EQ(ColorUtils::fromHex("##123456"), tvkit::Color::black());
    EXPECT_EQ(ColorUtils::fromHex(""), tvkit::Color::black());
    // Past sixteen digits the scanner saturates, which reads as white.
    EXPECT_EQ(ColorUtils::fromHex("123456789012345678"), tvkit::Color::white());
}

TEST(ColorUtils, ToHexRoundsHalvesUpAndClamps) {
    EXPECT_EQ(ColorUtils::toHex({0.5, 0, 1, 1}), "#8000FF");
    EXPECT_EQ(ColorUtils::toHex(ColorUtils::fromHex("#0a1B2c")), "#0A1B2C");
    EXPECT_EQ(ColorUtils::toHex({1.5, -0.2, 0.999, 1}), "#FF00FF");
}
