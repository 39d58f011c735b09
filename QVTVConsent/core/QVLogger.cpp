#include "QVTVConsent/core/QVLogger.h"

#include <string>

#include "platform/LogSink.h"

namespace qvtv {
namespace {

std::string compose(std::string_view level, std::string_view tag, std::string_view msg) {
    std::string line;
    line.reserve(level.size() + tag.size() + msg.size() + 2);
    line.append(level).append(tag).append(": ").append(msg);
    return line;
}

} // namespace

void QVLogger::i(std::string_view tag, std::string_view msg) {
    if (!INFO_LOGS_ENABLED.load(std::memory_order_relaxed)) return;
    platform::LogSink::write(compose("[INFO] ", tag, msg));
}

void QVLogger::w(std::string_view tag, std::string_view msg) {
    if (!WARNING_LOGS_ENABLED.load(std::memory_order_relaxed)) return;
    platform::LogSink::write(compose("[WARN] ", tag, msg));
}

void QVLogger::e(std::string_view tag, std::string_view msg, const std::optional<QVError>& error) {
    if (!ERROR_LOGS_ENABLED.load(std::memory_order_relaxed)) return;
    std::string line = compose("[ERROR] ", tag, msg);
    if (error) line.append(" - ").append(error->localizedDescription());
    platform::LogSink::write(line);
}

void QVLogger::d(std::string_view, std::string_view) {}

} // namespace qvtv
