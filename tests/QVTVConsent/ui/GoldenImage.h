#pragma once
// Compares a rendered frame with a picture kept under tests/data/goldens/<name>.png. Small
// differences (anti-aliasing, blur rounding) pass: a pixel counts as different only when a
// channel moves by more than `channelTolerance`, and a few different pixels are allowed.
// On failure the actual frame and a diff picture (differing pixels in red over a faded copy)
// are written to $QVTV_GOLDEN_DIFF_DIR or <temp>/qvtv-golden-diffs, and the message names them.
//
// Recording: run the test binary with QVTV_UPDATE_GOLDENS=1 to (re)write every golden picture
// the run compares against, then look at the pictures before committing them.
//
//   EXPECT_TRUE(testsupport::GoldenImage::compare(host.render(), "loading_overlay"));

#include "tvkit/render/Bitmap.h"

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

struct GoldenTolerance {
    // Largest change of one 0..255 channel that still counts as the same pixel.
    int channelTolerance = 12;
    // Share of the pixels that may differ beyond that.
    double mismatchBudget = 0.001;
};

class GoldenImage {
public:
    using Tolerance = GoldenTolerance;

    // Against tests/data/goldens/<name>.png, or records it when QVTV_UPDATE_GOLDENS=1.
    static ::testing::AssertionResult compare(const tvkit::Bitmap& actual, const std::string& name,
                                              Tolerance tolerance = {});
    // Against a picture in hand; `name` names the pictures written on failure.
    static ::testing::AssertionResult compare(const tvkit::Bitmap& actual, const tvkit::Bitmap& expected,
                                              const std::string& name, Tolerance tolerance = {});
};

} // namespace testsupport
