#pragma once
// The TV app of the demo, written as an app engineer would: it initialises the consent library
// with its key, shows the library's banner over its home screen when there is no consent yet or
// the stored one must be collected again, opens the library's preference center from its
// "Privacy settings" button, and listens to consent events to keep its status line current.
// The four vendor SDKs are recording stand-ins, so the status line can show what consent
// reached them.
//
//   demo::DemoApp app(options, std::cout);
//   host.setRootViewController(app.home());
//   if (app.start()) app.askForConsentIfNeeded();

#include "QVTVConsent/QVTVConsent.h"
#include "tools/demo/DemoOptions.h"
#include "tools/demo/HomeScreen.h"
#include "tools/sdk-fakes/FakeVendorSdks.h"

#include <memory>
#include <ostream>

namespace demo {

class DemoApp {
public:
    // Consent events are written to `transcript` as they arrive.
    DemoApp(DemoOptions options, std::ostream& transcript);
    ~DemoApp();
    DemoApp(const DemoApp&) = delete;
    DemoApp& operator=(const DemoApp&) = delete;

    const std::shared_ptr<HomeScreen>& home() const { return home_; }
    sdkfakes::FakeVendorSdks& sdks() { return sdks_; }
    // Null until start() succeeded.
    const std::shared_ptr<qvtv::QVConsentEngine>& engine() const { return engine_; }

    // Initialises the library, running the main loop until it answers; false when it failed.
    bool start();
    // Shows the banner when the viewer has not chosen yet or must choose again; true if it did.
    bool askForConsentIfNeeded();
    void openPrivacySettings();
    void presentSecondaryBanner();
    // Forgets the stored consent and starts again, as a new install would.
    bool resetAndRestart();
    // Puts the consent status and the SDKs' last call on the home screen's status line.
    void refreshStatus();
    // Text added at the end of the status line (the demo's injected fault); empty for none.
    void setStatusNote(std::string note);
    // The next start uses the application ids of `options` (another fixture pair).
    void setApplicationIds(const std::string& primary, const std::string& secondary);
    const DemoOptions& options() const { return options_; }

private:
    void listenToEvents();
    void presentBanner();
    void presentPreferenceCenter();

    DemoOptions options_;
    std::ostream& transcript_;
    sdkfakes::FakeVendorSdks sdks_;
    std::shared_ptr<HomeScreen> home_;
    std::shared_ptr<qvtv::QVConsentEngine> engine_;
    std::string statusNote_;
};

} // namespace demo
