#pragma once
// Sets the process's TZ for the life of a test and puts back what was there (or its absence), so
// a test that formats local times leaves the zone as it found it for the tests after it.

#include <optional>
#include <string>

namespace testsupport {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

    // Switches to another zone; the destructor still restores the one from before construction.
    void set(const std::string& zone);

private:
    std::optional<std::string> previous_;
};

} // namespace testsupport
