// The branding addresses are process-wide: set from a host's start-up thread while a screen
// reads them, every read sees one whole address (ThreadSanitizer checks the rest).

#include "QVTVConsent/ui/images/BrandingSettings.h"

#include <gtest/gtest.h>

#include <latch>
#include <thread>

namespace {

TEST(BrandingSettingsTest, SetAndReadFromTwoThreadsAtOnce) {
    const std::string buildLogo = qvtv::BrandingSettings::makerLogoUrl();
    const std::string a = "http://127.0.0.1:1/images/" + std::string(200, 'a') + ".svg";
    const std::string b = "http://127.0.0.1:1/images/b.svg";
    std::latch bothReady(2);
    std::thread writer([&] {
        bothReady.arrive_and_wait();
        for (int i = 0; i < 2000; ++i) qvtv::BrandingSettings::setMakerLogoUrl(i % 2 ? a : b);
    });
    bothReady.arrive_and_wait();
    int torn = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::string seen = qvtv::BrandingSettings::makerLogoUrl();
        if (seen != a && seen != b && seen != buildLogo) ++torn;
    }
    writer.join();
    qvtv::BrandingSettings::setMakerLogoUrl(std::nullopt);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(qvtv::BrandingSettings::makerLogoUrl(), buildLogo);
}

} // namespace
