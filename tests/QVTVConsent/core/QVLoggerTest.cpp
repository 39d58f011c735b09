#include "QVTVConsent/core/QVLogger.h"

#include <gtest/gtest.h>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "support/LogCapture.h"

using qvtv::QVLogger;

namespace {

void logOneOfEach() {
    QVLogger::i("Tag", "info");
    QVLogger::w("Tag", "warn");
    QVLogger::e("Tag", "plain");
    QVLogger::e("Tag", "failed", qvtv::QVError{"Net", 5, "timed out"});
    QVLogger::e("Tag", "empty", qvtv::QVError{"Net", 5, ""});
    QVLogger::d("Tag", "debug");
}

} // namespace

TEST(QVLogger, PrintsNothingWithDefaultSwitches) {
    testsupport::LogCapture capture;
    logOneOfEach();
    EXPECT_TRUE(capture.lines().empty());
}

TEST(QVLogger, WritesExactLinesPerSwitch) {
    testsupport::ScopedLogSwitches logs({.info = true, .error = true});
    testsupport::LogCapture capture;
    logOneOfEach();
    EXPECT_EQ(capture.lines(), (std::vector<std::string>{"[INFO] Tag: info", "[ERROR] Tag: plain",
                                                         "[ERROR] Tag: failed - timed out", "[ERROR] Tag: empty - "}));
    capture.clear();
    QVLogger::INFO_LOGS_ENABLED = false;
    QVLogger::ERROR_LOGS_ENABLED = false;
    QVLogger::WARNING_LOGS_ENABLED = true;
    logOneOfEach();
    EXPECT_EQ(capture.lines(), (std::vector<std::string>{"[WARN] Tag: warn"}));
}
