#pragma once
// Installs an announcer on tvkit's Accessibility for the life of a test that records everything
// it is asked to say, then puts the previous announcer back. Header-only so that only suites
// linking tvkit pull it in. Main thread only, like Accessibility itself.

#include "tvkit/app/Accessibility.h"

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class RecordingAnnouncer {
public:
    RecordingAnnouncer() : previous_(tvkit::Accessibility::announcer()) {
        tvkit::Accessibility::setAnnouncer([this](const std::string& text) { heard.push_back(text); });
    }
    ~RecordingAnnouncer() { tvkit::Accessibility::setAnnouncer(previous_); }
    RecordingAnnouncer(const RecordingAnnouncer&) = delete;
    RecordingAnnouncer& operator=(const RecordingAnnouncer&) = delete;

    // Everything said so far, and forgets it.
    std::vector<std::string> take() { return std::exchange(heard, {}); }

    std::vector<std::string> heard;

private:
    tvkit::Accessibility::Announcer previous_;
};

} // namespace testsupport
