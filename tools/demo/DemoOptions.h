#pragma once
// The command line of qvtv-demo.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace demo {

struct DemoOptions {
    std::optional<std::string> origin;  // another consent service instead of the in-process one
    std::filesystem::path dataDir;
    std::string primaryId = "demo-tv-app";
    std::string secondaryId = "demo-tv-app-kids";
    bool fresh = false;       // forget the device's stores first (a new install)
    bool acceptAll = false;
    bool rejectAll = false;
    bool tour = false;        // walk through the banner and the preference center with presses
    std::optional<std::string> addPackage;  // add a package to the served banner first
    bool story = true;        // no action given: play the whole story
    bool headless = false;    // the scripted walkthrough even when a display is available
    std::filesystem::path screenshotsDir;  // where the walkthrough writes its numbered pictures
    bool help = false;

    // None for an unknown flag or a flag without its value.
    static std::optional<DemoOptions> parse(const std::vector<std::string>& arguments);
    static std::string usage();
};

} // namespace demo
