#pragma once
// Sets the library's log switches for the life of a test and puts back what they were, also when
// the test fails half-way, so no later test in the same process sees them changed.
//
//   testsupport::ScopedLogSwitches logs({.error = true});

namespace testsupport {

class ScopedLogSwitches {
public:
    struct Switches {
        bool info = false;
        bool warning = false;
        bool error = false;
        bool integrationSdk = false;
    };

    explicit ScopedLogSwitches(Switches switches);
    ~ScopedLogSwitches();
    ScopedLogSwitches(const ScopedLogSwitches&) = delete;
    ScopedLogSwitches& operator=(const ScopedLogSwitches&) = delete;

private:
    Switches saved_;
};

} // namespace testsupport
