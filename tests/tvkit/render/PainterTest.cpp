#include "tvkit/render/Painter.h"

#include "tvkit/render/ShadowCache.h"
#include "tvkit/render/SymbolImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace tvkit;

namespace {

// Colours within a small tolerance: anti-aliasing and rounding differ between builds.
::testing::AssertionResult near(Color actual, Color expected, double tolerance = 0.02) {
    const double d = std::max({std::abs(actual.red - expected.red), std::abs(actual.green - expected.green),
                               std::abs(actual.blue - expected.blue), std::abs(actual.alpha - expected.alpha)});
    if (d <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << actual.red << ", " << actual.green << ", " << actual.blue
                                         << ", " << actual.alpha << ")";
}

const Color red = Color::fromRGBA8(255, 0, 0);
const Color blue = Color::fromRGBA8(0, 0, 255);

} // namespace

TEST(Painter, RoundedFillLeavesItsCornersEmptyAndBordersStayInsideTheBounds) {
    Bitmap b(100, 60);
    Painter p(b);
    p.fillRoundedRect({10, 10, 80, 40}, 12, red);
    EXPECT_TRUE(near(b.pixel(50, 30), red));
    EXPECT_TRUE(near(b.pixel(11, 30), red));          // straight edge, inside
    EXPECT_TRUE(near(b.pixel(10, 10), Color::clear())); // the rounded-off corner
    EXPECT_TRUE(near(b.pixel(88, 48), Color::clear()));
    EXPECT_TRUE(near(b.pixel(9, 30), Color::clear()));  // outside

    Bitmap framed(60, 60);
    Painter q(framed);
    q.strokeRoundedRect({10, 10, 40, 40}, 0, 4, blue);
    EXPECT_TRUE(near(framed.pixel(11, 30), blue));
    EXPECT_TRUE(near(framed.pixel(13, 30), blue));
    EXPECT_TRUE(near(framed.pixel(15, 30), Color::clear()));  // the middle stays empty
    EXPECT_TRUE(near(framed.pixel(9, 30), Color::clear()));   // nothing outside
}

TEST(Painter, ShadowIsSoftOffsetAndCached) {
    ShadowCache cache;
    Bitmap b(200, 120);
    Painter p(b);
    Shadow shadow{Color::black(), 0.5, 10, {0, 12}};
    p.drawShadow({50, 30, 100, 40}, 8, shadow, cache);
    // Centre of the shadow: full opacity; it is pushed down by the offset.
    EXPECT_NEAR(b.pixel(100, 62).alpha, 0.5, 0.03);
    const double above = b.pixel(100, 30).alpha;
    const double below = b.pixel(100, 82).alpha;
    EXPECT_GT(below, above);
    // Soft edge: falls off gradually, not a hard step.
    EXPECT_GT(b.pixel(100, 88).alpha, 0.02);
    EXPECT_LT(b.pixel(100, 88).alpha, 0.3);
    EXPECT_LT(b.pixel(100, 115).alpha, 0.01);

    p.drawShadow({10, 10, 100, 40}, 8, shadow, cache);  // same shape elsewhere: no new blur
    EXPECT_EQ(cache.blurCount(), 1u);
}

// A shadow is drawn in parts under an axis-aligned transform (its solid middle filled, what an
// opaque fill will cover skipped, only the rim blended through the mask); the pixels are exactly
// those of blending the whole mask.
TEST(Painter, ShadowDrawnInPartsMatchesTheWholeMaskBlended) {
    struct Case {
        Rect rect;
        double corner;
        AffineTransform transform;
    };
    const Case cases[] = {
        {{40.3, 30.6, 120.2, 50.7}, 12, AffineTransform()},
        {{40, 30, 120, 50}, 0, AffineTransform::scale(1.25, 1.25)},
        {{40, 30, 120, 50}, 6, AffineTransform::scale(1.25, 0.8)},      // the mask is resampled
        {{60, 40, 30, 30}, 40, AffineTransform()},                    // corners larger than the rect
        {{50, 40, 100, 40}, 8, AffineTransform::rotation(0.1)},       // not axis-aligned: blended whole
        {{70.5, 50.5, 2, 2}, 1, AffineTransform()},                   // too small to cover a pixel
    };
    const Color card = Color::fromRGBA8(240, 240, 240);
    for (const Shadow& shadow : {Shadow{Color::black(), 0.6, 14, {3, 10}}, Shadow{Color::black(), 0.1, 1, {0, 2}}}) {
        for (const Case& c : cases) {
            for (bool fill : {false, true}) {
                SCOPED_TRACE(::testing::Message() << c.rect.minX() << "," << c.rect.minY() << " radius "
                                                  << shadow.radius << (fill ? " filled" : ""));
                Bitmap whole(260, 180), parts(260, 180);
                ShadowCache cache;
                {
                    // A rotation far too small to move a pixel is not axis-aligned: the whole
                    // mask is blended, the reference.
                    Painter p(whole);
                    p.clear(blue);
                    p.concat(c.transform);
                    p.concat(AffineTransform::rotation(1e-12));
                    p.drawShadow(c.rect, c.corner, shadow, cache, fill);
                    if (fill) p.fillRoundedRect(c.rect, c.corner, card);
                }
                {
                    Painter p(parts);
                    p.clear(blue);
                    p.concat(c.transform);
                    p.drawShadow(c.rect, c.corner, shadow, cache, fill);
                    if (fill) p.fillRoundedRect(c.rect, c.corner, card);
                }
                int differing = 0;
                for (int y = 0; y < whole.height(); ++y) {
                    for (int x = 0; x < whole.width(); ++x) differing += whole.pixel(x, y) != parts.pixel(x, y);
                }
                EXPECT_EQ(differing, 0);
            }
        }
    }
    // Without the fill it promised, the skipped middle shows: only the rim was drawn.
    Bitmap b(260, 180);
    ShadowCache cache;
    Painter p(b);
    p.clear(blue);
    p.drawShadow({40, 30, 120, 50}, 12, {Color::black(), 0.6, 14, {3, 10}}, cache, true);
    EXPECT_TRUE(near(b.pixel(100, 55), blue));
    EXPECT_FALSE(near(b.pixel(100, 88), blue));  // below the rectangle, where the offset shadow shows
}

TEST(Painter, TemplateSymbolsTakeTheTint) {
    Bitmap b(48, 48);
    Painter p(b);
    auto box = SymbolImage::named("checkmark.square.fill");
    ASSERT_TRUE(box);
    p.drawImage(*box, {0, 0, 48, 48}, blue);
    EXPECT_TRUE(near(b.pixel(6, 24), blue));                     // the filled square
    EXPECT_LT(b.pixel(20, 32).alpha, 0.2);                       // knocked-out checkmark
    EXPECT_TRUE(near(b.pixel(1, 1), Color::clear()));            // rounded corner
    for (const char* name : {"circle", "largecircle.fill.circle", "square", "arrowtriangle.up.fill",
                             "arrowtriangle.down.fill"}) {
        EXPECT_TRUE(SymbolImage::named(name)) << name;
    }
    EXPECT_FALSE(SymbolImage::named("star"));

    Bitmap radio(48, 48);
    Painter r(radio);
    r.drawImage(*SymbolImage::named("largecircle.fill.circle"), {0, 0, 48, 48}, red);
    EXPECT_TRUE(near(radio.pixel(24, 24), red));       // inner dot
    EXPECT_LT(radio.pixel(24, 12).alpha, 0.1);         // gap between dot and ring
    EXPECT_TRUE(near(radio.pixel(24, 4), red, 0.1));   // ring
}

TEST(Painter, GroupsApplyAlphaOnceAndTransformsScaleAboutTheGivenPoint) {
    Bitmap b(100, 100);
    Painter p(b);
    p.beginGroup();
    p.fillRoundedRect({0, 0, 60, 60}, 0, red);
    p.fillRoundedRect({30, 30, 60, 60}, 0, red);  // overlap must not be darker
    p.endGroup(0.5);
    EXPECT_NEAR(b.pixel(45, 45).alpha, 0.5, 0.01);
    EXPECT_NEAR(b.pixel(10, 10).alpha, 0.5, 0.01);

    Bitmap s(100, 100);
    Painter q(s);
    q.translate(50, 50);
    q.concat(AffineTransform::scale(1.5, 1.5));
    q.translate(-50, -50);
    q.fillRoundedRect({30, 30, 40, 40}, 0, blue);  // 40 wide becomes 60 wide about the centre
    EXPECT_TRUE(near(s.pixel(21, 50), blue));
    EXPECT_TRUE(near(s.pixel(18, 50), Color::clear()));
}

TEST(ShadowCache, BlurSpreadsAlphaSymmetricallyAndKeepsItsMass) {
    const int w = 41;
    std::vector<std::uint8_t> plane(w * w, 0);
    for (int y = 15; y < 26; ++y) {
        for (int x = 15; x < 26; ++x) plane[y * w + x] = 200;
    }
    long before = 0;
    for (auto v : plane) before += v;
    ShadowCache::blurAlpha(plane.data(), w, w, w, 3);
    long after = 0;
    for (auto v : plane) after += v;
    EXPECT_NEAR(after, before, before * 0.02);
    EXPECT_EQ(plane[20 * w + 10], plane[20 * w + 30]);  // left and right alike
    EXPECT_EQ(plane[10 * w + 20], plane[30 * w + 20]);  // up and down alike
    EXPECT_LT(plane[20 * w + 20], 200);                 // the centre gave some away
    EXPECT_GT(plane[20 * w + 12], 0);                   // to just outside the square
}
