// The picture comparison the screen tests rely on: it tolerates rendering noise but not a real
// change, and says where the difference picture went.

#include "QVTVConsent/ui/GoldenImage.h"

#include <gtest/gtest.h>

#include <string>

namespace testsupport {
namespace {

TEST(GoldenImageTest, ToleratesNoiseButNotARealChange) {
    tvkit::Bitmap expected(64, 64);
    expected.clear(tvkit::Color::fromRGBA8(40, 80, 120));
    tvkit::Bitmap noisy = expected;
    noisy.data()[0] = static_cast<std::uint8_t>(noisy.data()[0] + 5);   // one channel, slightly
    for (int i = 1; i <= 4; ++i) noisy.data()[i * 4 + 1] = 0;           // four pixels, within budget
    EXPECT_TRUE(GoldenImage::compare(noisy, expected, "noise", {12, 0.001}));

    tvkit::Bitmap changed = expected;
    for (int i = 0; i < 64 * 8; ++i) changed.data()[i * 4 + 2] = 255;   // a band of eight rows
    auto verdict = GoldenImage::compare(changed, expected, "golden_self_check", {12, 0.001});
    EXPECT_FALSE(verdict);
    EXPECT_NE(std::string(verdict.message()).find("512 pixels differ"), std::string::npos) << verdict.message();
    auto diffPath = std::string(verdict.message());
    EXPECT_NE(diffPath.find("golden_self_check.diff.png"), std::string::npos);

    EXPECT_FALSE(GoldenImage::compare(tvkit::Bitmap(32, 64), expected, "size_check"));
}

} // namespace
} // namespace testsupport
