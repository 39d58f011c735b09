// The shared screen fixture itself: presses reach the screen, views are found by what they
// show, answers from other threads are waited for, and picture comparison tolerates noise but
// not a real change.

#include "QVTVConsent/ui/ScreenTestFixture.h"

#include "platform/DispatchQueue.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Button.h"

#include <filesystem>
#include <thread>

namespace testsupport {
namespace {

class TwoButtons : public tvkit::ViewController {
public:
    void viewDidLoad() override {
        auto row = tvkit::View::make<tvkit::StackView>();
        row->setSpacing(40);
        row->setTranslatesAutoresizingMaskIntoConstraints(false);
        for (const char* title : {"Left", "Right"}) {
            auto button = tvkit::View::make<tvkit::Button>();
            button->setTitle(title);
            button->addAction([this, title](tvkit::Control&) { chosen = title; },
                              tvkit::ControlEvent::primaryActionTriggered);
            row->addArrangedSubview(button);
        }
        view()->addSubview(row);
        tvkit::LayoutConstraint::activate({row->centerXAnchor().equalTo(view()->centerXAnchor()),
                                           row->centerYAnchor().equalTo(view()->centerYAnchor())});
    }
    std::string chosen;
};

class ScreenTestFixtureTest : public ScreenTestFixture {};

TEST_F(ScreenTestFixtureTest, PresentedScreenIsDrivenByPressesAndFoundByText) {
    auto screen = std::make_shared<TwoButtons>();
    present(screen);
    ASSERT_EQ(&topScreen(), screen.get());
    EXPECT_EQ(textOf(focusedView()), "Left");

    presses({tvkit::PressType::rightArrow, tvkit::PressType::select});
    EXPECT_EQ(textOf(focusedView()), "Right");
    EXPECT_EQ(screen->chosen, "Right");
    ASSERT_NE(findByText("Left"), nullptr);
    EXPECT_LT(windowFrame(*findByText("Left")).maxX(), windowFrame(*findByText("Right")).minX());
    EXPECT_EQ(findAll<tvkit::Button>().size(), 2u);
    EXPECT_EQ(findByText("Middle"), nullptr);
}

TEST_F(ScreenTestFixtureTest, WaitsForWorkPostedFromAnotherThread) {
    bool arrived = false;
    std::thread worker([&] { platform::DispatchQueue::main().async([&] { arrived = true; }); });
    worker.join();
    EXPECT_TRUE(runUntil([&] { return arrived; }));
}

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
