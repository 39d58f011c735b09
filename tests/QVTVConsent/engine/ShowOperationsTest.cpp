// The engine's show operations: what they answer at once, what the viewer then sees (a screen or
// a toast on the virtual clock), and that the loading overlay never stays behind.

#include "QVTVConsent/ui/banner/BannerTestFixture.h"

#include "QVTVConsent/engine/QVCoreEngineFactory.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/data/DataFactoryError.h"
#include "platform/ThreadPool.h"
#include "support/LogCapture.h"

#include <condition_variable>
#include <mutex>

namespace bannertest {
namespace {

// Returns once every job queued on the global pool before the call has finished: one job per
// worker, each held until all of them run at once, can only start when no earlier job still runs.
void drainGlobalQueue() {
    auto& pool = dynamic_cast<platform::ThreadPool&>(platform::DispatchQueue::global());
    const unsigned workers = pool.threadCount();
    auto mutex = std::make_shared<std::mutex>();
    auto allRunning = std::make_shared<std::condition_variable>();
    auto running = std::make_shared<unsigned>(0);
    for (unsigned i = 0; i < workers; ++i) {
        pool.async([=] {
            std::unique_lock lock(*mutex);
            if (++*running == workers) allRunning->notify_all();
            allRunning->wait(lock, [&] { return *running >= workers; });
        });
    }
    std::unique_lock lock(*mutex);
    allRunning->wait(lock, [&] { return *running >= workers; });
}

class ShowOperationsTest : public BannerTest {
protected:
    // Lets the background read finish and its main-queue step run, without moving the clock.
    void letTheReadFinish() {
        EXPECT_TRUE(runUntil([&] { return !overlayShown(); }));
    }
};

TEST_F(ShowOperationsTest, PrimaryAndSecondaryBannersComeUpOverTheHostsScreen) {
    start("demo-tv-app", "demo-tv-app-kids");
    auto* primary = showBanner();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->applicationId, "demo-tv-app");
    EXPECT_EQ(primary->modalPresentationStyle(), tvkit::ModalPresentationStyle::overFullScreen);
    EXPECT_EQ(primary->modalTransitionStyle(), tvkit::ModalTransitionStyle::crossDissolve);
    EXPECT_FALSE(overlayShown());
    press(tvkit::PressType::menu);
    advance(0.5);

    EXPECT_EQ(engine->showSecondaryBanner(home).code(), 200);
    EXPECT_TRUE(runUntil([&] { return presentedBanner() != nullptr; }));
    EXPECT_EQ(presentedBanner()->applicationId, "demo-tv-app-kids");
    advance(0.5);
    press(tvkit::PressType::menu);
    advance(0.5);

    EXPECT_EQ(engine->showConsentBannerFor("demo-tv-app-kids", home).code(), 200);
    EXPECT_TRUE(runUntil([&] { return presentedBanner() != nullptr; }));
    EXPECT_EQ(presentedBanner()->data->removeBranding, true);
}

// The flags of a shown template belong to the main queue: a show leaves them as an open screen
// has them until the main queue's turn, whatever ran on other threads meanwhile.
TEST_F(ShowOperationsTest, ShowingPreparesTheSharedTemplateOnlyOnTheMainQueue) {
    start("demo-tv-app");
    auto* banner = showBanner();
    ASSERT_NE(banner, nullptr);
    const auto shown = banner->data;
    auto& category = *shown->categories.front();
    category.isExpanded = true;  // as the open screen left it
    press(tvkit::PressType::menu);
    advance(0.5);

    EXPECT_EQ(engine->showConsentBanner(home).code(), 200);
    drainGlobalQueue();
    EXPECT_TRUE(category.isExpanded) << "changed off the main queue";
    EXPECT_TRUE(runUntil([&] { return presentedBanner() != nullptr; }));
    EXPECT_EQ(presentedBanner()->data, shown) << "the same shared template";
    EXPECT_FALSE(category.isExpanded) << "prepared on the main queue before presenting";
}

TEST_F(ShowOperationsTest, WithoutATemplateTheHostGets200AndTheViewerAToastLater) {
    start("demo-tv-app");
    const auto banner = engine->showConsentBannerFor("never-loaded", home);
    EXPECT_EQ(banner.code(), 200);
    EXPECT_EQ(banner.msg(), "");
    letTheReadFinish();
    advance(0.45);
    EXPECT_EQ(toastOn(*home), nullptr);
    advance(0.1);
    ASSERT_NE(toastOn(*home), nullptr);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    advance(3);
    EXPECT_EQ(toastOn(*home), nullptr);

    EXPECT_EQ(engine->showPreferenceCenter("never-loaded", home).code(), 200);
    letTheReadFinish();
    advance(0.25);
    EXPECT_EQ(toastOn(*home), nullptr);
    advance(0.1);
    EXPECT_NE(toastOn(*home), nullptr);
    EXPECT_FALSE(overlayShown());
}

TEST_F(ShowOperationsTest, AStoredConfigurationErrorIsAnsweredAndNothingIsShown) {
    start("demo-tv-app", "unknown-tv-app");
    const auto stored = engine->showSecondaryBanner(home);
    EXPECT_NE(stored.code(), 200);
    EXPECT_FALSE(stored.msg().empty());
    const auto again = engine->showConsentBannerFor("unknown-tv-app", home);
    EXPECT_EQ(again.code(), stored.code());
    EXPECT_EQ(again.msg(), stored.msg());
    EXPECT_EQ(engine->showPreferenceCenter("unknown-tv-app", home).code(), stored.code());
    advance(1);
    EXPECT_FALSE(overlayShown());
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_EQ(toastOn(*home), nullptr);
}

TEST_F(ShowOperationsTest, KeyWithoutSecondaryIdAndLibraryWithoutRepositoryAnswerWithEnvelopesOrThrow) {
    start("demo-tv-app");
    const auto secondary = engine->showSecondaryBanner(home);
    EXPECT_EQ(secondary.code(), 500);
    EXPECT_EQ(secondary.msg(), "Content unavailable! Please verify your initialisation and configuration");
    EXPECT_EQ(secondary.error(), std::nullopt);

    testsupport::LogCapture log;
    qvtv::QVLogger::ERROR_LOGS_ENABLED = true;
    qvtv::DataFactory::setRepository(nullptr);
    const auto primary = engine->showConsentBanner(home);
    qvtv::QVLogger::ERROR_LOGS_ENABLED = false;
    EXPECT_EQ(primary.code(), 500);
    EXPECT_EQ(primary.msg(), "Internal server error, please contact support");
    EXPECT_TRUE(primary.error().has_value());
    EXPECT_TRUE(log.containsSubstring("QVCoreEngineImpl: showConsentBanner(in ViewController \"Home\""))
        << testing::PrintToString(log.lines());
    EXPECT_THROW(engine->showConsentBannerFor("demo-tv-app", home), qvtv::DataFactoryError);
    EXPECT_THROW(engine->showPreferenceCenter("demo-tv-app", home), qvtv::DataFactoryError);
    advance(1);
    EXPECT_FALSE(overlayShown());
    EXPECT_EQ(home->presentedViewController(), nullptr);
}

TEST_F(ShowOperationsTest, AHostScreenThatWentAwayGetsNothingAndTheOverlayStillGoes) {
    start("demo-tv-app");
    auto gone = std::make_shared<tvkit::ViewController>();
    EXPECT_EQ(engine->showConsentBanner(gone).code(), 200);
    gone.reset();
    letTheReadFinish();
    advance(1);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_FALSE(overlayShown());
}

} // namespace
} // namespace bannertest
