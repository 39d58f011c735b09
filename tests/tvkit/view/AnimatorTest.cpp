#include "tvkit/view/Animator.h"

#include "tvkit/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

TEST(AnimatorTest, PresentationMovesOnTheVirtualClockAndCompletionRunsOnce) {
    HeadlessHost host;
    auto toast = View::make(Rect{0, 0, 100, 40});
    host.window().addSubview(toast);
    toast->setAlpha(0);
    std::vector<bool> completions;
    animate(0.3, 0.1, AnimationOptions{AnimationCurve::linear}, [&] {
        toast->setAlpha(0.9);
        toast->setFrame({100, 0, 100, 40});
        toast->layer().setShadowOpacity(0.45);
    }, [&](bool finished) { completions.push_back(finished); });
    // The model is final at once; the screen follows after the delay.
    EXPECT_DOUBLE_EQ(toast->alpha(), 0.9);
    EXPECT_DOUBLE_EQ(toast->presentationProperties().alpha, 0);
    host.advance(0.1 + 0.15);
    AnimatableProperties halfway = toast->presentationProperties();
    EXPECT_NEAR(halfway.alpha, 0.45, 1e-9);
    EXPECT_NEAR(halfway.frame.minX(), 50, 1e-9);
    EXPECT_NEAR(halfway.layer.shadowOpacity, 0.225, 1e-9);
    EXPECT_TRUE(completions.empty());
    host.advance(0.15);
    EXPECT_EQ(completions, std::vector<bool>{true});
    EXPECT_DOUBLE_EQ(toast->presentationProperties().alpha, 0.9);
    host.advance(5);
    EXPECT_EQ(completions.size(), 1u);

    // A later animation of the same property takes over from where the screen is; the first
    // one's completion still runs once, reporting that it did not finish.
    animate(0.2, [&] { toast->setAlpha(0); }, [&](bool finished) { completions.push_back(finished); });
    host.advance(0.1);
    double shown = toast->presentationProperties().alpha;
    EXPECT_GT(shown, 0.0);
    EXPECT_LT(shown, 0.9);
    animate(0.2, [&] { toast->setAlpha(1); }, [&](bool finished) { completions.push_back(finished); });
    EXPECT_NEAR(toast->presentationProperties().alpha, shown, 1e-9);
    host.advance(1);
    EXPECT_EQ(completions, (std::vector<bool>{true, false, true}));

    // Eased by default: slow at both ends.
    EXPECT_LT(Animator::ease(AnimationCurve::easeInOut, 0.1), 0.1);
    EXPECT_DOUBLE_EQ(Animator::ease(AnimationCurve::easeInOut, 0.5), 0.5);
    EXPECT_GT(Animator::ease(AnimationCurve::easeInOut, 0.9), 0.9);
}

// A host draws only when something changed; an animation changes the screen on every frame
// without touching the model, and its end leaves the model's values to be drawn.
TEST(AnimatorTest, TheScreenFollowsAFadeFrameByFrameAndComesToRest) {
    HeadlessHost host;
    auto card = View::make(Rect{0, 0, 100, 100});
    card->setBackgroundColor(Color::white());
    host.window().addSubview(card);
    EXPECT_EQ(host.render().pixel(50, 50), Color::white());
    animate(1.0, 0, AnimationOptions{AnimationCurve::linear}, [&] { card->setAlpha(0); }, {});
    EXPECT_EQ(host.render().pixel(50, 50), Color::white());
    host.advance(0.5);
    EXPECT_NEAR(host.render().pixel(50, 50).red, 0.5, 0.01);
    host.advance(0.6);
    EXPECT_EQ(host.render().pixel(50, 50), Color::black());
}

TEST(AnimatorTest, ZeroDurationAndSuspendedAnimationsApplyAtOnce) {
    HeadlessHost host;
    auto v = View::make(Rect{0, 0, 10, 10});
    host.window().addSubview(v);
    int done = 0;
    animate(0, [&] { v->setBackgroundColor(Color::white()); }, [&](bool) { done++; });
    EXPECT_EQ(v->presentationProperties().backgroundColor, Color::white());
    EXPECT_EQ(done, 0);  // completions never run inside the call
    host.runPending();
    EXPECT_EQ(done, 1);
    animate(1, [&] { performWithoutAnimation([&] { v->setAlpha(0.5); }); });
    EXPECT_DOUBLE_EQ(v->presentationProperties().alpha, 0.5);
}

} // namespace
} // namespace tvkit
