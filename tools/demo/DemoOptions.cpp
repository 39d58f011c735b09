#include "tools/demo/DemoOptions.h"

#include <unistd.h>

namespace demo {
namespace {

// Beside the binary, which lives in the build folder.
std::filesystem::path besideBinary(const std::string& name) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() / name : self.parent_path() / name;
}

} // namespace

std::optional<DemoOptions> DemoOptions::parse(const std::vector<std::string>& arguments) {
    DemoOptions options;
    options.dataDir = besideBinary("demo-data");
    options.screenshotsDir = besideBinary("screenshots");
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& flag = arguments[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) return std::nullopt;
            return arguments[++i];
        };
        std::optional<std::string> given;
        if (flag == "--help" || flag == "-h") {
            options.help = true;
        } else if (flag == "--once") {
            options.story = false;
        } else if (flag == "--fresh") {
            options.fresh = true;
            options.story = false;
        } else if (flag == "--accept-all") {
            options.acceptAll = true;
            options.story = false;
        } else if (flag == "--reject-all") {
            options.rejectAll = true;
            options.story = false;
        } else if (flag == "--tour") {
            options.tour = true;
            options.story = false;
        } else if (flag == "--add-package" && (given = value())) {
            options.addPackage = given;
            options.story = false;
        } else if (flag == "--headless") {
            options.headless = true;
        } else if (flag == "--screenshots" && (given = value())) {
            options.screenshotsDir = *given;
        } else if (flag == "--origin" && (given = value())) {
            options.origin = given;
        } else if (flag == "--data" && (given = value())) {
            options.dataDir = *given;
        } else if (flag == "--primary" && (given = value())) {
            options.primaryId = *given;
        } else if (flag == "--secondary" && (given = value())) {
            options.secondaryId = *given;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

std::string DemoOptions::usage() {
    return "usage: qvtv-demo [--once] [--fresh] [--tour | --accept-all | --reject-all] [--add-package ID]\n"
           "                 [--origin URL] [--data DIR] [--primary ID] [--secondary ID]\n"
           "                 [--headless] [--screenshots DIR]\n"
           "With a display it opens the TV app in a window, driven with the arrow keys, Return and\n"
           "Escape. Without one (or with --headless) it plays the story on a virtual screen and writes\n"
           "numbered screenshots: a fresh install toured with the remote (banner, settings, a policy,\n"
           "the data-request form, a refused and a good save), a second start that reuses the stored\n"
           "document, a start after the banner gained a package, and the advanced banner.\n"
           "--origin uses another consent service (its origin, without /api) instead of the local one.\n";
}

} // namespace demo
