// qvtv-demo: a TV app that uses the consent library. With a display it opens the app in a window
// driven by the keyboard as a remote; without one it plays a scripted story on a virtual screen,
// printing what the library knows and writing numbered screenshots. DemoApp is the part to read
// first: it is how an app initialises the library, asks for consent and listens to events.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include "platform/Paths.h"
#include "platform/RunLoop.h"
#include "tools/demo/DemoApp.h"
#include "tools/demo/DemoControls.h"
#include "tools/demo/DemoOptions.h"
#include "tools/demo/DemoService.h"
#include "tools/demo/Walkthrough.h"
#include "tvkit/app/Accessibility.h"
#include "tvkit/host/sdl/SdlHost.h"

namespace {

bool hasDisplay() {
    return (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) && tvkit::SdlHost::displayAvailable();
}

int runInWindow(demo::DemoApp& app, const demo::DemoService& service) {
    tvkit::SdlHost host({1920, 1080}, tvkit::SdlHost::fitToDisplay, "Riverside TV");
    host.setRootViewController(app.home());
    demo::DemoControls controls(app, service);
    // What a screen reader would say as the viewer moves around, printed where the viewer ran us.
    tvkit::Accessibility::setAnnouncer([](const std::string& text) { std::cout << "[speech] " << text << std::endl; });
    if (!app.start()) return 1;
    app.askForConsentIfNeeded();
    if (host.run()) return 0;
    std::cerr << "no window could be opened; try --headless\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    auto parsed = demo::DemoOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) {
        std::cerr << demo::DemoOptions::usage();
        return 2;
    }
    const demo::DemoOptions options = *parsed;
    if (options.help) {
        std::cout << demo::DemoOptions::usage();
        return 0;
    }
    const bool window = !options.headless && hasDisplay();
    if (!window && options.story) return demo::Walkthrough::play(options);

    // This thread runs the main loop, where the library delivers observer events.
    platform::RunLoop::main().runPending();
    if (options.fresh) std::filesystem::remove_all(options.dataDir);
    platform::Paths::setDataDirectory(options.dataDir / "device");
    const auto service = demo::DemoService::start(options);
    if (!service) return 1;
    std::cout << "  data folder " << options.dataDir.string() << "\n";

    demo::DemoApp app(options, std::cout);
    if (window) return runInWindow(app, *service);
    return demo::Walkthrough(app, options, std::cout).run(*service);
}
