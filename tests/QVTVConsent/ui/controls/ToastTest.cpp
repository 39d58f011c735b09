// Toasts as the viewer sees them: fading in near the bottom, staying for their duration on
// the run loop's clock, one at a time, wrapping long messages, or shown as an alert.

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/controls/QVPaddedLabel.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"

#include "tvkit/app/AlertController.h"
#include "tvkit/view/Button.h"

namespace qvtv {
namespace {

class ToastTest : public testsupport::ScreenTestFixture {
protected:
    QVPaddedLabel* toast() { return dynamic_cast<QVPaddedLabel*>(hostScreen().view()->viewWithTag(toastTag)); }
};

TEST_F(ToastTest, FadesInStaysForItsDurationAndGoes) {
    showToast(hostScreen(), "Template not found");
    drainMain();
    ASSERT_NE(toast(), nullptr);
    EXPECT_EQ(toast()->text(), "Template not found");
    EXPECT_FALSE(toast()->canBecomeFocused());

    const tvkit::Rect frame = windowFrame(*toast());
    EXPECT_DOUBLE_EQ(frame.center().x, 960);
    EXPECT_DOUBLE_EQ(frame.maxY(), 1080 - 60);
    EXPECT_GE(frame.height(), 40);
    EXPECT_LT(toast()->presentationProperties().alpha, 0.1);

    advance(0.35);
    EXPECT_DOUBLE_EQ(toast()->presentationProperties().alpha, 0.9);
    EXPECT_TRUE(matchesGolden("toast_short"));
    advance(2.0);  // 2.35 s after it was added: fading out
    ASSERT_NE(toast(), nullptr);
    EXPECT_LT(toast()->presentationProperties().alpha, 0.9);
    advance(0.3);
    EXPECT_EQ(toast(), nullptr);
}

TEST_F(ToastTest, OneToastAtATime) {
    showToast(hostScreen(), "First");
    showToast(hostScreen(), "Second");
    drainMain();
    int toasts = 0;
    for (const auto& child : hostScreen().view()->subviews()) toasts += child->tag() == toastTag;
    EXPECT_EQ(toasts, 1);
    EXPECT_EQ(toast()->text(), "First");

    advance(2.7);
    ASSERT_EQ(toast(), nullptr);
    showToast(hostScreen(), "Third", std::nullopt, false, 5.0);
    drainMain();
    ASSERT_NE(toast(), nullptr);
    EXPECT_EQ(toast()->text(), "Third");
    advance(2.7);  // a longer duration keeps it up
    EXPECT_NE(toast(), nullptr);
    advance(3.0);
    EXPECT_EQ(toast(), nullptr);
}

TEST_F(ToastTest, LongMessageWrapsWithinFourFifthsOfTheScreen) {
    std::string message;
    for (int i = 0; i < 30; ++i) message += "The consent service could not be reached just now. ";
    showToast(hostScreen(), message);
    advance(0.35);
    ASSERT_NE(toast(), nullptr);
    const tvkit::Rect frame = windowFrame(*toast());
    EXPECT_LE(frame.width(), 1920 * 0.8 + 0.5);
    EXPECT_GT(frame.width(), 1920 * 0.7);
    // Several lines, all of them inside the padding.
    const tvkit::Size text = toast()->textSize(frame.width() - 32);
    EXPECT_GT(text.height, 3 * 18);
    EXPECT_NEAR(frame.height(), text.height + 16, 1);
    EXPECT_DOUBLE_EQ(frame.maxY(), 1080 - 60);
}

TEST_F(ToastTest, ScreenNotYetLaidOutStillGetsAReadableToast) {
    auto screen = std::make_shared<tvkit::ViewController>();
    showToast(*screen, "Saved");  // its view is loaded here, still 0 x 0
    present(screen);
    auto* toast = screen->view()->viewWithTag(toastTag);
    ASSERT_NE(toast, nullptr);
    EXPECT_GT(windowFrame(*toast).width(), 60);
    EXPECT_LE(windowFrame(*toast).width(), 1920 * 0.8);
}

TEST_F(ToastTest, AnchorRaisesTheToast) {
    auto& root = *hostScreen().view();
    auto bar = tvkit::View::make();
    bar->setFrame({0, 800, 1920, 280});
    root.addSubview(bar);
    showToast(hostScreen(), "Saved", bar->topAnchor());
    drainMain();
    ASSERT_NE(toast(), nullptr);
    EXPECT_DOUBLE_EQ(windowFrame(*toast()).maxY(), 800 - 60);
}

TEST_F(ToastTest, AlertFormAsksForOkAndCloses) {
    hostScreen().setTitle("Privacy");
    showToast(hostScreen(), "Your request was sent.", std::nullopt, true);
    advance(0.5);
    auto* alert = dynamic_cast<tvkit::AlertController*>(&topScreen());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Privacy");
    EXPECT_EQ(alert->message(), "Your request was sent.");
    EXPECT_EQ(alert->preferredStyle(), tvkit::AlertController::Style::alert);
    ASSERT_EQ(alert->actions().size(), 1u);
    EXPECT_EQ(alert->actions()[0].title, "Ok");
    EXPECT_EQ(alert->actions()[0].style, tvkit::AlertAction::Style::defaultStyle);
    EXPECT_EQ(toast(), nullptr);

    EXPECT_EQ(textOf(focusedView()), "Ok");
    press(tvkit::PressType::select);
    advance(0.5);
    EXPECT_EQ(&topScreen(), &hostScreen());
}

} // namespace
} // namespace qvtv
