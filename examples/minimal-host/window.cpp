// The smallest host with a window: it initialises, shows the consent banner over an empty home
// screen while the viewer's consent is not collected, and plays the remote from the keyboard
// (arrows, Return for Select, Escape for Menu). Closing the window ends it.
//
//   minimal-window-host <data folder> [application id]

#include <chrono>
#include <iostream>
#include <memory>
#include <string>

#include "QVTVConsent/QVTVConsent.h"
#include "platform/Paths.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/sdl/SdlHost.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: minimal-window-host <data folder> [application id]\n";
        return 2;
    }
    platform::Paths::setDataDirectory(argv[1]);
    const std::string applicationId = argc > 2 ? argv[2] : "demo-tv-app";

    tvkit::SdlHost host({1920, 1080}, tvkit::SdlHost::fitToDisplay, "minimal host");
    auto home = std::make_shared<tvkit::ViewController>();
    host.setRootViewController(home);

    std::shared_ptr<qvtv::QVConsentEngine> engine;
    qvtv::QVConsentEngineFactory::initialise(
        qvtv::QVAuthKey(applicationId),
        [&](const qvtv::QVConsentEngineFactory::Result& result) {
            std::cout << "initialise: " << result.code() << " " << result.msg() << "\n";
            if (!result.data()) return;
            engine = *result.data();
            const auto status = engine->getConsentStatus(applicationId).data();
            if (!status || *status != qvtv::QVConsentStatus::collected) engine->showConsentBanner(home);
        },
        std::chrono::seconds(5));
    // The answer and the screens run on the main queue, which the host drains between frames.
    return host.run() ? 0 : 1;
}
