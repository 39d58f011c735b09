#pragma once
// The library under a headless screen, for tests of the preference center: the local consent
// service on loopback, the recording SDK fakes, the library initialised for "demo-tv-app" and a
// delegate that records every consent event. open() shows a preference center the way the
// engine does, over the host screen.

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/ServiceHarness.h"
#include "QVTVConsent/events/QVConsentEventDelegate.h"
#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "tools/sdk-fakes/FakeVendorSdks.h"

namespace prefcentertest {

inline const std::string appId = "demo-tv-app";

struct RecordingDelegate : qvtv::QVConsentEventDelegate {
    const std::string& applicationId() const override { return appId; }
    void onConsentAction(const qvtv::QVDataMessage<qvtv::QVConsentEvent>& message) override {
        events.push_back(message);
    }
    std::vector<qvtv::QVDataMessage<qvtv::QVConsentEvent>> events;
};

class PreferenceCenterFixture : public testsupport::ScreenTestFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // The application's template as the service serves it.
    std::shared_ptr<qvtv::QVPreferenceCenterData> templateData();
    std::shared_ptr<qvtv::QVPreferenceCenterViewController> open(std::shared_ptr<qvtv::QVPreferenceCenterData> data);
    bool isPresented(const tvkit::ViewController& screen);
    // The bodies the service received on `endpoint`, oldest first.
    std::vector<nlohmann::json> sent(consentservice::ServiceEndpoint endpoint);

    sdkfakes::FakeVendorSdks sdks;
    testsupport::ServiceHarness harness;
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

} // namespace prefcentertest
