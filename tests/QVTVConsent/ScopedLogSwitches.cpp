#include "QVTVConsent/ScopedLogSwitches.h"

#include "QVTVConsent/core/QVLogger.h"

namespace testsupport {
namespace {

void set(const ScopedLogSwitches::Switches& switches) {
    qvtv::QVLogger::INFO_LOGS_ENABLED = switches.info;
    qvtv::QVLogger::WARNING_LOGS_ENABLED = switches.warning;
    qvtv::QVLogger::ERROR_LOGS_ENABLED = switches.error;
    qvtv::QVLogger::INTEGRATION_SDK_LOGS_ENABLED = switches.integrationSdk;
}

} // namespace

ScopedLogSwitches::ScopedLogSwitches(Switches switches)
    : saved_{qvtv::QVLogger::INFO_LOGS_ENABLED, qvtv::QVLogger::WARNING_LOGS_ENABLED,
             qvtv::QVLogger::ERROR_LOGS_ENABLED, qvtv::QVLogger::INTEGRATION_SDK_LOGS_ENABLED} {
    set(switches);
}

ScopedLogSwitches::~ScopedLogSwitches() { set(saved_); }

} // namespace testsupport
