#include "TemplateFixtures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "QVTVConsent/engine/QVLogger.h"

namespace templatetest {

nlohmann::json fixture(const std::string& relativePath) {
    const std::string path = std::string(QVTV_FIXTURES_DIR) + "/" + relativePath;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return nlohmann::json::parse(text, nullptr, false);
}

LogsOn::LogsOn()
    : info_(qvtv::QVLogger::INFO_LOGS_ENABLED), warning_(qvtv::QVLogger::WARNING_LOGS_ENABLED),
      error_(qvtv::QVLogger::ERROR_LOGS_ENABLED) {
    qvtv::QVLogger::INFO_LOGS_ENABLED = true;
    qvtv::QVLogger::WARNING_LOGS_ENABLED = true;
    qvtv::QVLogger::ERROR_LOGS_ENABLED = true;
}

LogsOn::~LogsOn() {
    qvtv::QVLogger::INFO_LOGS_ENABLED = info_;
    qvtv::QVLogger::WARNING_LOGS_ENABLED = warning_;
    qvtv::QVLogger::ERROR_LOGS_ENABLED = error_;
}

} // namespace templatetest
