#include "tvkit/view/ScrollView.h"

#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/input/TapGestureRecognizer.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/Button.h"

#include <gtest/gtest.h>

#include <optional>

namespace tvkit {
namespace {

class FocusableScroll : public ScrollView {
public:
    bool canBecomeFocused() const override { return focusable; }
    bool focusable = true;
};

// A 400 x 300 scroll view at (100, 100) over 2000 points of content, a button to its right.
struct Scene {
    HeadlessHost host;
    std::shared_ptr<ViewController> screen = std::make_shared<ViewController>();
    std::shared_ptr<FocusableScroll> scroll = View::make<FocusableScroll>();
    std::shared_ptr<View> content = View::make();
    std::shared_ptr<Button> button = View::make<Button>();

    explicit Scene(bool scrollFocusable) {
        scroll->focusable = scrollFocusable;
        scroll->setFrame({100, 100, 400, 300});
        button->setFrame({700, 100, 200, 60});
        content->setFrame({0, 0, 400, 2000});
        scroll->setContentSize({400, 2000});
        scroll->addSubview(content);
        screen->view()->addSubview(scroll);
        screen->view()->addSubview(button);
        host.setRootViewController(screen);
    }
};

TEST(ScrollView, AFocusedScrollViewScrollsWithTheArrowsBeforeFocusMayLeave) {
    Scene scene(true);
    ASSERT_EQ(scene.host.focusedView(), scene.scroll.get());
    scene.host.press(PressType::downArrow);
    EXPECT_EQ(scene.scroll->contentOffset().y, 150);
    for (int i = 0; i < 20; ++i) scene.host.press(PressType::downArrow);
    EXPECT_EQ(scene.scroll->contentOffset().y, 1700);
    EXPECT_EQ(scene.host.focusedView(), scene.scroll.get());
    // Nothing to scroll sideways: the press moves focus.
    scene.host.press(PressType::rightArrow);
    EXPECT_EQ(scene.host.focusedView(), scene.button.get());
    EXPECT_EQ(scene.scroll->contentOffset().y, 1700);
}

TEST(ScrollView, AScrollViewAroundFocusedContentLeavesTheArrowsToFocus) {
    Scene scene(false);
    auto inner = View::make<Button>();
    inner->setFrame({0, 0, 200, 60});
    scene.content->addSubview(inner);
    auto below = View::make<Button>();
    below->setFrame({0, 400, 200, 60});
    scene.content->addSubview(below);
    scene.host.window().focusSystem().requestUpdate(*scene.screen, true);
    scene.host.runPending();
    ASSERT_EQ(scene.host.focusedView(), inner.get());
    scene.host.press(PressType::downArrow);
    EXPECT_EQ(scene.host.focusedView(), below.get());
    // Scrolled only as far as the newly focused button needs.
    EXPECT_EQ(scene.scroll->contentOffset().y, 160);
}

TEST(TapGestureRecognizer, LocationIsTheMiddleOfWhatIsShown) {
    Scene scene(true);
    std::optional<Point> seen;
    auto tap = std::make_shared<TapGestureRecognizer>(
        [&](GestureRecognizer& r) { seen = static_cast<TapGestureRecognizer&>(r).location(*scene.content); });
    scene.scroll->addGestureRecognizer(tap);
    scene.scroll->setContentOffset({0, 500});

    scene.host.press(PressType::select);
    EXPECT_EQ(seen, (Point{200, 650}));  // the middle of the 300 shown, 500 down the content

    // A scroll view partly off its clipping parent: the middle of the visible part.
    scene.screen->view()->setClipsToBounds(true);
    scene.scroll->setFrame({100, 900, 400, 300});
    scene.host.runPending();
    scene.host.press(PressType::select);
    EXPECT_EQ(seen, (Point{200, 590}));
}

} // namespace
} // namespace tvkit
