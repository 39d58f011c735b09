#pragma once
// The base of every consent-screen test: a headless TV screen of 1920 x 1080 on the virtual
// clock, showing a plain host-app screen (`hostScreen()`) to present consent screens on.
// Tests drive it with remote presses, move time, wait for answers that hop back to the main
// queue, look views up by type or visible text and compare the frame with a golden picture
// (see GoldenImage.h for tolerances and for re-recording with QVTV_UPDATE_GOLDENS=1).
// Teardown removes the loading overlay and anything presented, so cases run in any order.
//
//   class BannerTest : public testsupport::ScreenTestFixture {};
//   TEST_F(BannerTest, AcceptSaves) {
//       present(banner);
//       press(tvkit::PressType::select);
//       EXPECT_EQ(textOf(focusedView()), "Accept");
//       EXPECT_TRUE(matchesGolden("banner_initial"));
//   }

#include "QVTVConsent/ui/GoldenImage.h"

#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class ScreenTestFixture : public ::testing::Test {
protected:
    ScreenTestFixture();
    ~ScreenTestFixture() override;

    tvkit::HeadlessHost& host() { return *host_; }
    tvkit::Window& window() { return host_->window(); }
    // The host application's own screen (dark, empty), root of the window.
    tvkit::ViewController& hostScreen() { return *hostScreen_; }
    // The screen on top: the last one presented, or the host screen.
    tvkit::ViewController& topScreen();

    // Presents `screen` over the top screen and lets the transition finish.
    void present(std::shared_ptr<tvkit::ViewController> screen);

    // ---- input and time ----
    // Each press is followed by running whatever became ready on the main queue.
    void press(tvkit::PressType type, int times = 1);
    void presses(std::initializer_list<tvkit::PressType> sequence);
    // Presses `type` until a view of type T has focus; that view, or null when none gets it.
    template <class T>
    T* pressUntil(tvkit::PressType type, int limit = 60) {
        for (int i = 0; i < limit && !dynamic_cast<T*>(focusedView()); ++i) press(type);
        return dynamic_cast<T*>(focusedView());
    }
    // Moves the virtual clock: timers, animations and deferred layout run on the way.
    void advance(double seconds);
    // Runs the main-queue jobs that are ready now, then lays out (no time passes).
    void drainMain();
    // Runs the main queue until `done` holds, waiting (in real time, up to `timeout`) for jobs
    // that other threads post, such as HTTP answers; the virtual clock does not move.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // ---- what the viewer sees ----
    tvkit::View* focusedView() { return host_->focusedView(); }
    // A label's text or a button's title; empty for other views and for null.
    static std::string textOf(const tvkit::View* view);
    // Every view of type T under `root` (the window when null), in tree order.
    template <class T>
    std::vector<T*> findAll(tvkit::View* root = nullptr) {
        std::vector<T*> found;
        visit(root, [&](tvkit::View& v) {
            if (auto* t = dynamic_cast<T*>(&v)) found.push_back(t);
        });
        return found;
    }
    template <class T>
    T* findFirst(tvkit::View* root = nullptr) {
        auto all = findAll<T>(root);
        return all.empty() ? nullptr : all.front();
    }
    // The first view in tree order whose label text or button title is exactly `text`.
    tvkit::View* findByText(std::string_view text, tvkit::View* root = nullptr);
    // The frame of `view` in window coordinates (transforms not applied).
    static tvkit::Rect windowFrame(const tvkit::View& view);

    // Renders the window and compares it with tests/data/goldens/<name>.png.
    ::testing::AssertionResult matchesGolden(const std::string& name, GoldenImage::Tolerance tolerance = {});

private:
    void visit(tvkit::View* root, const std::function<void(tvkit::View&)>& fn);

    std::unique_ptr<tvkit::HeadlessHost> host_;
    std::shared_ptr<tvkit::ViewController> hostScreen_;
};

} // namespace testsupport
