#include "support/ScopedTimeZone.h"

#include <cstdlib>
#include <ctime>

namespace testsupport {

ScopedTimeZone::ScopedTimeZone(const std::string& zone) {
    if (const char* old = std::getenv("TZ")) previous_ = old;
    set(zone);
}

ScopedTimeZone::~ScopedTimeZone() {
    if (previous_) setenv("TZ", previous_->c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

void ScopedTimeZone::set(const std::string& zone) {
    setenv("TZ", zone.c_str(), 1);
    tzset();
}

} // namespace testsupport
