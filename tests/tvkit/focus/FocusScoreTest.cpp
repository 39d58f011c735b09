#include "tvkit/focus/FocusScore.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

TEST(FocusScoreTest, OnlyCandidatesBeyondTheEdgeQualify) {
    Rect from{100, 100, 100, 50};
    EXPECT_DOUBLE_EQ(*FocusScore::score(FocusHeading::right, from, {220, 100, 100, 50}), 20);
    EXPECT_DOUBLE_EQ(*FocusScore::score(FocusHeading::left, from, {0, 100, 80, 50}), 20);
    EXPECT_DOUBLE_EQ(*FocusScore::score(FocusHeading::down, from, {100, 170, 100, 50}), 20);
    EXPECT_DOUBLE_EQ(*FocusScore::score(FocusHeading::up, from, {100, 0, 100, 90}), 10);
    EXPECT_FALSE(FocusScore::score(FocusHeading::left, from, {220, 100, 100, 50}));
    EXPECT_FALSE(FocusScore::score(FocusHeading::down, from, {100, 0, 100, 90}));
    EXPECT_FALSE(FocusScore::score(FocusHeading::right, from, {140, 100, 100, 50}));  // overlapping, centre not past
    EXPECT_FALSE(FocusScore::score(FocusHeading::none, from, {220, 100, 100, 50}));
    EXPECT_FALSE(FocusScore::score(FocusHeading::right, from, {220, 100, 0, 50}));  // empty
    // Touching neighbours (a stack without spacing) qualify with distance zero.
    EXPECT_DOUBLE_EQ(*FocusScore::score(FocusHeading::right, from, {200, 100, 100, 50}), 0);
}

TEST(FocusScoreTest, AlignedCandidatesBeatNearerDiagonalOnes) {
    Rect from{100, 100, 100, 50};
    // Directly below but further, against nearer and off to the side.
    double below = *FocusScore::score(FocusHeading::down, from, {100, 260, 100, 50});
    double diagonal = *FocusScore::score(FocusHeading::down, from, {260, 170, 100, 50});
    EXPECT_LT(below, diagonal);
    // With equal overlap, the one whose centre is closer wins.
    double centred = *FocusScore::score(FocusHeading::down, from, {90, 170, 120, 50});
    double shifted = *FocusScore::score(FocusHeading::down, from, {150, 170, 120, 50});
    EXPECT_LT(centred, shifted);
}

} // namespace
} // namespace tvkit
