#include "tvkit/render/Renderer.h"

#include "tvkit/app/Window.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/ImageView.h"
#include "tvkit/view/Label.h"
#include "tvkit/render/SymbolImage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tvkit;

namespace {

bool near(Color a, Color b, double tolerance = 0.03) {
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

const Color grey = Color::gray(0.5);
const Color red = Color::fromRGBA8(255, 0, 0);
const Color blue = Color::fromRGBA8(0, 0, 255);

struct Scene {
    std::shared_ptr<Window> window = View::make<Window>(Rect{0, 0, 400, 300});
    Renderer renderer{{400, 300}};
    Scene() { window->setBackgroundColor(grey); }
    Color at(int x, int y) const { return renderer.frame().pixel(x, y); }
};

} // namespace

TEST(Renderer, DrawsBackgroundsCornersBordersClipsHiddenViewsAndTintedImages) {
    Scene s;
    auto card = View::make<View>(Rect{50, 50, 200, 100});
    card->setBackgroundColor(Color::white());
    card->layer().setCornerRadius(20);
    card->layer().setBorderWidth(4);
    card->layer().setBorderColor(blue);
    card->setClipsToBounds(true);
    auto overflow = View::make<View>(Rect{150, 50, 100, 100});  // sticks out to the right and down
    overflow->setBackgroundColor(red);
    card->addSubview(overflow);
    auto hidden = View::make<View>(Rect{300, 200, 50, 50});
    hidden->setBackgroundColor(red);
    hidden->setHidden(true);
    auto image = View::make<ImageView>(SymbolImage::named("checkmark.square.fill"));
    image->setFrame({10, 200, 48, 48});
    image->setTintColor(red);
    s.window->addSubview(card);
    s.window->addSubview(hidden);
    s.window->addSubview(image);
    ASSERT_TRUE(s.renderer.render(*s.window));

    EXPECT_TRUE(near(s.at(100, 70), Color::white()));
    EXPECT_TRUE(near(s.at(52, 100), blue));     // border, inside the edge
    EXPECT_TRUE(near(s.at(51, 51), grey));      // rounded-off corner
    EXPECT_TRUE(near(s.at(220, 130), red));     // the child, inside the card
    EXPECT_TRUE(near(s.at(260, 130), grey));    // clipped at the card's edge
    EXPECT_TRUE(near(s.at(248, 148), blue) || near(s.at(248, 148), grey));  // border above the child
    EXPECT_TRUE(near(s.at(320, 220), grey));    // hidden view not drawn
    EXPECT_TRUE(near(s.at(14, 224), red));      // the symbol takes the view's tint
}

TEST(Renderer, FocusedButtonGrowsAboutItsCentreAndCastsADeeperShadow) {
    Scene s;
    s.window->setBackgroundColor(Color::white());
    auto button = View::make<Button>();
    button->setFrame({100, 100, 200, 60});
    button->setBackgroundColor(blue);
    button->layer().setCornerRadius(8);
    button->layer().setShadow(Color::black(), 0.15, 6, {0, 4});
    s.window->addSubview(button);
    s.renderer.render(*s.window);
    const double restingShadow = 1 - s.at(200, 168).red;
    EXPECT_TRUE(near(s.at(95, 130), Color::white()));

    button->setTransform(AffineTransform::scale(1.12, 1.12));
    button->layer().setShadow(Color::black(), 0.45, 22, {0, 12});
    ASSERT_TRUE(s.renderer.render(*s.window));
    // 200 x 60 scaled by 1.12 about the centre (200, 130): x from 88 to 312, y from 96.4 to 163.6.
    EXPECT_TRUE(near(s.at(92, 130), blue));
    EXPECT_TRUE(near(s.at(308, 130), blue));
    EXPECT_FALSE(near(s.at(84, 130), blue));
    const double focusedShadow = 1 - s.at(200, 168).red;
    EXPECT_GT(focusedShadow, restingShadow + 0.1);
    EXPECT_GT(1 - s.at(200, 185).red, 0.05);  // soft shadow well below the button
    EXPECT_LT(1 - s.at(200, 90).red, 0.15);   // little above it: the offset pushes it down
}

TEST(Renderer, RedrawsOnlyWhatChangedAndNothingWhenIdle) {
    Scene s;
    std::vector<std::shared_ptr<View>> tiles;
    for (int i = 0; i < 4; ++i) {
        auto tile = View::make<View>(Rect{20.0 + i * 90, 20, 80, 80});
        tile->setBackgroundColor(Color::white());
        s.window->addSubview(tile);
        tiles.push_back(tile);
    }
    ASSERT_TRUE(s.renderer.render(*s.window));
    EXPECT_FALSE(s.renderer.render(*s.window));  // idle: no work

    tiles[1]->setBackgroundColor(red);
    ASSERT_TRUE(s.renderer.render(*s.window));
    ASSERT_EQ(s.renderer.lastDamage().size(), 1u);
    const Rect damage = s.renderer.lastDamage().front();
    EXPECT_LE(damage.width(), 84);
    EXPECT_TRUE(damage.contains({150, 60}));
    EXPECT_TRUE(near(s.at(150, 60), red));
    EXPECT_TRUE(near(s.at(60, 60), Color::white()));

    // A removed view leaves its old place repainted with what is behind it.
    tiles[2]->removeFromSuperview();
    ASSERT_TRUE(s.renderer.render(*s.window));
    EXPECT_TRUE(near(s.at(240, 60), grey));

    // Alpha on a parent reaches its children.
    tiles[3]->addSubview(View::make<View>(Rect{0, 0, 40, 40}));
    tiles[3]->subviews()[0]->setBackgroundColor(blue);
    s.renderer.render(*s.window);
    tiles[3]->setAlpha(0.5);
    s.renderer.render(*s.window);
    const Color mixed = s.at(300, 30);
    EXPECT_NEAR(mixed.blue, 0.75, 0.03);  // half blue over grey
}

// Children coming, going or moving inside a large card with a shadow repaint their own places,
// not the card: a screen that swaps its body redraws the body.
TEST(Renderer, ChildrenChangingInsideACardRepaintOnlyTheirPlaces) {
    Scene s;
    auto card = View::make<View>(Rect{20, 20, 360, 260});
    card->setBackgroundColor(Color::white());
    card->layer().setCornerRadius(16);
    card->layer().setShadow(Color::black(), 0.3, 12, {0, 6});
    s.window->addSubview(card);
    s.renderer.render(*s.window);
    auto small = [&] {
        const auto& damage = s.renderer.lastDamage();
        Rect all = damage.empty() ? Rect{} : damage.front();
        for (const Rect& r : damage) all = all.unionWith(r);
        return all.width() <= 64 && all.height() <= 64;
    };

    auto child = View::make<View>(Rect{100, 100, 40, 40});
    child->setBackgroundColor(red);
    card->addSubview(child);
    ASSERT_TRUE(s.renderer.render(*s.window));
    EXPECT_TRUE(small());
    EXPECT_TRUE(near(s.at(140, 140), red));

    child->setFrame({110, 100, 40, 40});
    ASSERT_TRUE(s.renderer.render(*s.window));
    EXPECT_TRUE(small());
    EXPECT_TRUE(near(s.at(125, 140), Color::white()));  // the old place shows the card again
    EXPECT_TRUE(near(s.at(145, 140), red));

    child->removeFromSuperview();
    ASSERT_TRUE(s.renderer.render(*s.window));
    EXPECT_TRUE(small());
    EXPECT_TRUE(near(s.at(145, 140), Color::white()));

    // A view whose size changes where a clip hides the change of its painted area still
    // repaints: a label centres its text in whatever height it has.
    auto window = View::make<View>(Rect{40, 40, 200, 60});
    window->setClipsToBounds(true);
    auto label = View::make<Label>("Centred");
    label->setFont(Font::system(30, Font::bold));
    label->setTextColor(Color::black());
    label->setFrame({0, 0, 200, 400});
    window->addSubview(label);
    card->addSubview(window);
    s.renderer.render(*s.window);
    auto inked = [&] {
        int dark = 0;
        for (int y = 60; y < 120; ++y) {
            for (int x = 60; x < 260; ++x) dark += s.at(x, y).red < 0.5;
        }
        return dark;
    };
    EXPECT_EQ(inked(), 0);  // the text sits at 200, far below the clip
    label->setFrame({0, 0, 200, 60});
    ASSERT_TRUE(s.renderer.render(*s.window));
    EXPECT_GT(inked(), 0);
}
