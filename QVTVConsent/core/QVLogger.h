#pragma once
// The library's one logger. Nothing is written until the host switches a level on; each call
// writes one whole line through platform::LogSink. The switches may be flipped from any thread.
//
//   qvtv::QVLogger::INFO_LOGS_ENABLED = true;
//   qvtv::QVLogger::i("QVCoreEngineImpl", "Banner shown");   // "[INFO] QVCoreEngineImpl: Banner shown"

#include <atomic>
#include <optional>
#include <string_view>

#include "QVTVConsent/core/QVError.h"

namespace qvtv {

class QVLogger {
public:
    static inline std::atomic<bool> INFO_LOGS_ENABLED{false};
    static inline std::atomic<bool> WARNING_LOGS_ENABLED{false};
    static inline std::atomic<bool> ERROR_LOGS_ENABLED{false};
    // Not a line level: adapters read it to choose how chatty the external SDKs they start may be.
    static inline std::atomic<bool> INTEGRATION_SDK_LOGS_ENABLED{false};

    static void i(std::string_view tag, std::string_view msg);
    static void w(std::string_view tag, std::string_view msg);
    // With an error the line ends in " - " and the error's localized description.
    static void e(std::string_view tag, std::string_view msg, const std::optional<QVError>& error = std::nullopt);
    // Debug lines are kept at call sites for reading but never written.
    static void d(std::string_view tag, std::string_view msg);

    QVLogger() = delete;
};

} // namespace qvtv
