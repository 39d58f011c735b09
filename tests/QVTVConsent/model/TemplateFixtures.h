#pragma once
// Reads the consent-service fixtures for the template tests, and turns the library's log
// switches on for the lifetime of a test so log lines can be asserted.

#include <string>

#include <nlohmann/json.hpp>

namespace templatetest {

// The parsed JSON of QVTV_FIXTURES_DIR/<relativePath>; a discarded value when it is not JSON.
nlohmann::json fixture(const std::string& relativePath);

class LogsOn {
public:
    LogsOn();
    ~LogsOn();
    LogsOn(const LogsOn&) = delete;
    LogsOn& operator=(const LogsOn&) = delete;

private:
    bool info_, warning_, error_;
};

} // namespace templatetest
