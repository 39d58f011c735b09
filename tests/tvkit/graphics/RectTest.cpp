#include "tvkit/graphics/Rect.h"

#include <gtest/gtest.h>

using tvkit::EdgeInsets;
using tvkit::Rect;

TEST(Rect, IntersectionAndUnionOfOverlappingAndDisjointRects) {
    Rect a{0, 0, 100, 50};
    Rect b{50, 25, 100, 50};
    EXPECT_TRUE(a.intersects(b));
    EXPECT_EQ(a.intersection(b), (Rect{50, 25, 50, 25}));
    EXPECT_EQ(a.unionWith(b), (Rect{0, 0, 150, 75}));

    Rect far{200, 200, 10, 10};
    EXPECT_FALSE(a.intersects(far));
    EXPECT_TRUE(a.intersection(far).isEmpty());
    // Touching edges do not overlap: a focus search must not treat neighbours as overlapping.
    EXPECT_FALSE(a.intersects(Rect{100, 0, 10, 10}));
    EXPECT_EQ(Rect{}.unionWith(far), far);
}

TEST(Rect, InsetNeverProducesNegativeSizes) {
    Rect r{10, 10, 20, 20};
    EXPECT_EQ(r.inset(EdgeInsets::all(5)), (Rect{15, 15, 10, 10}));
    Rect collapsed = r.inset(EdgeInsets::all(50));
    EXPECT_EQ(collapsed.width(), 0);
    EXPECT_EQ(collapsed.height(), 0);
}
