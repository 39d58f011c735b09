#pragma once
// The whole library under a headless 1920 x 1080 screen, for tests of the banner and the show
// operations: the local consent service on loopback (serving the operator's logo too), device
// stores in a temporary folder, the recording SDK fakes, the library initialised for one
// application, and a delegate and an observer that record every consent event.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/ServiceHarness.h"
#include "QVTVConsent/engine/QVConsentEngine.h"
#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/banner/QVConsentBannerViewController.h"
#include "tools/sdk-fakes/FakeVendorSdks.h"

namespace bannertest {

struct RecordedEvent {
    std::int64_t envelopeCode = 0;
    std::int64_t eventCode = 0;
    std::optional<qvtv::QVUserConsentActionType> type;
    qvtv::QVConsentStatus status = qvtv::QVConsentStatus::pending;
    std::size_t records = 0;
};

// Comes first among the bases, so the service's world (and its virtual clock) is there before
// the screen and goes after it.
struct ServiceWorld {
    testsupport::ServiceHarness harness;
    sdkfakes::FakeVendorSdks sdks;
};

class BannerTest : protected ServiceWorld, public testsupport::ScreenTestFixture {
protected:
    static constexpr std::int64_t delegateCode = 3;
    static constexpr std::int64_t observerCode = 8;

    // Initialises the library for `applicationId`, whose banner logo is the service's
    // (edit fixtures before calling).
    void start(const std::string& applicationId, std::optional<std::string> secondaryId = std::nullopt);
    // Asks the public engine for the banner and waits until it is on screen (transition finished).
    qvtv::QVConsentBannerViewController* showBanner();
    qvtv::QVConsentBannerViewController* presentedBanner() { return dynamic_cast<qvtv::QVConsentBannerViewController*>(hostScreen().presentedViewController()); }

    // Waits until delegates have heard `count` events (a save over loopback ends with one) and
    // lets the closing transition finish.
    void waitForEvents(std::size_t count);

    // The toast (tag 9999) on `controller`'s screen, if one is showing.
    tvkit::View* toastOn(tvkit::ViewController& controller);
    bool overlayShown() const;
    std::string focusedTitle();

    nlohmann::json lastConsentBody();
    void editBanner(const std::string& applicationId, const std::function<void(nlohmann::json&)>& edit);

    std::shared_ptr<qvtv::QVConsentEngine> engine;
    std::shared_ptr<tvkit::ViewController> home;  // the host screen, as the engine takes it
    std::vector<RecordedEvent> delegateEvents;
    std::vector<RecordedEvent> observerEvents;
};

} // namespace bannertest
