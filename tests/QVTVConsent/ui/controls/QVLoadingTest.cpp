// The loading overlay: over the whole key window with a spinning indicator, never stacked,
// and shown or hidden in the order the calls were made, from whichever thread.

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/controls/QVLoading.h"

#include <thread>

namespace qvtv {
namespace {

class QVLoadingTest : public testsupport::ScreenTestFixture {
protected:
    // Tests leave the overlay up on purpose: the screen fixture takes it down between them.
    void SetUp() override { ASSERT_EQ(QVLoading::shared().overlayView->superview(), nullptr); }
    int overlaysInWindow() {
        int count = 0;
        for (const auto& child : window().subviews()) count += child == QVLoading::shared().overlayView;
        return count;
    }
};

TEST_F(QVLoadingTest, CoversTheKeyWindowOnceWithASpinner) {
    QVLoading::show();
    EXPECT_EQ(overlaysInWindow(), 0) << "show waits for the main queue";
    drainMain();
    QVLoading::show();
    drainMain();
    ASSERT_EQ(overlaysInWindow(), 1);
    const auto& loading = QVLoading::shared();
    EXPECT_EQ(loading.overlayView->frame(), window().bounds());
    EXPECT_TRUE(loading.activityIndicator->isAnimating());
    EXPECT_EQ(windowFrame(*loading.activityIndicator).center(), window().bounds().center());
    // On top of whatever the host shows.
    EXPECT_EQ(window().subviews().back(), loading.overlayView);
}

TEST_F(QVLoadingTest, ShowTwiceThenHideOnceLeavesNothing) {
    QVLoading::show();
    QVLoading::show();
    QVLoading::hide();
    drainMain();
    EXPECT_EQ(overlaysInWindow(), 0);
    EXPECT_EQ(QVLoading::shared().overlayView->superview(), nullptr);
    EXPECT_FALSE(QVLoading::shared().activityIndicator->isAnimating());
    QVLoading::hide();  // hiding again is harmless
    drainMain();
    EXPECT_EQ(overlaysInWindow(), 0);
}

TEST_F(QVLoadingTest, CallsFromOtherThreadsKeepTheirOrder) {
    std::thread worker([] {
        QVLoading::show();
        QVLoading::hide();
        QVLoading::show();
    });
    worker.join();
    drainMain();
    EXPECT_EQ(overlaysInWindow(), 1);
    std::thread([] { QVLoading::hide(); }).join();
    drainMain();
    EXPECT_EQ(overlaysInWindow(), 0);
}

} // namespace
} // namespace qvtv
