// What a viewer who cannot see the screen hears: a walk with the remote through the advanced
// banner and on through the preference center, with an announcer installed as a host would.

#include "QVTVConsent/ui/banner/BannerTestFixture.h"

#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "support/RecordingAnnouncer.h"

namespace bannertest {
namespace {

using tvkit::PressType;

TEST_F(BannerTest, AWalkThroughTheBannerAndThePreferenceCenterIsAnnouncedStepByStep) {
    testsupport::RecordingAnnouncer announcer;
    start("demo-tv-advanced");
    showBanner();
    auto step = [&](std::initializer_list<PressType> keys) {
        for (PressType key : keys) {
            press(key);
            advance(0.5);
        }
        return announcer.take();
    };
    using Heard = std::vector<std::string>;
    // The banner: its title, then the focused button.
    EXPECT_EQ(announcer.take(), (Heard{"Privacy notice", "OK, button"}));
    EXPECT_EQ(step({PressType::downArrow}), (Heard{"Measurement, on"}));
    EXPECT_EQ(step({PressType::select}), (Heard{"Measurement, off"})) << "a changed box says its new state";
    EXPECT_EQ(step({PressType::upArrow}), (Heard{"Orbit Play uses services for measurement and marketing."}));
    EXPECT_EQ(step({PressType::rightArrow, PressType::rightArrow}), (Heard{"OK, button", "Settings, button"}));

    press(PressType::select);
    ASSERT_TRUE(runUntil([&] {
        return dynamic_cast<qvtv::QVPreferenceCenterViewController*>(home->presentedViewController()) != nullptr;
    }));
    advance(1);
    // The preference center: its title, the selected tab, then down through the settings.
    EXPECT_EQ(announcer.take(), (Heard{"Privacy preferences", "Services, tab, selected"}));
    EXPECT_EQ(step({PressType::downArrow, PressType::downArrow, PressType::downArrow}),
              (Heard{"Switch services on or off, then select Save.", "Marketing (3), collapsed, on",
                     "Measurement (1), collapsed, on"}));
    EXPECT_EQ(step({PressType::select}), (Heard{"Firebase Analytics, collapsed, on"}));
    EXPECT_EQ(step({PressType::select, PressType::downArrow}),
              (Heard{"Firebase Analytics, expanded, on", "https://policies.google.example/privacy, link"}));
    EXPECT_EQ(step({PressType::upArrow, PressType::leftArrow}),
              (Heard{"Firebase Analytics, expanded, on", "Firebase Analytics, expanded, off"}));
    EXPECT_EQ(step({PressType::upArrow, PressType::upArrow, PressType::upArrow}),
              (Heard{"Measurement (1), expanded, off", "Marketing (3), collapsed, on",
                     "Switch services on or off, then select Save."}));
}

} // namespace
} // namespace bannertest
