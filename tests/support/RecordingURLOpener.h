#pragma once
// Installs a URL handler on tvkit's Application for the life of a test that records every URL
// it is asked to open (and accepts them), then puts the previous handler back. Header-only so
// that only suites linking tvkit pull it in. Main thread only, like the Application itself.

#include "tvkit/app/Application.h"

#include <string>
#include <vector>

namespace testsupport {

class RecordingURLOpener {
public:
    RecordingURLOpener() : previous_(tvkit::Application::shared().openURLHandler()) {
        tvkit::Application::shared().setOpenURLHandler([this](const std::string& url) {
            opened.push_back(url);
            return true;
        });
    }
    ~RecordingURLOpener() { tvkit::Application::shared().setOpenURLHandler(previous_); }
    RecordingURLOpener(const RecordingURLOpener&) = delete;
    RecordingURLOpener& operator=(const RecordingURLOpener&) = delete;

    std::vector<std::string> opened;

private:
    tvkit::Application::OpenURLHandler previous_;
};

} // namespace testsupport
