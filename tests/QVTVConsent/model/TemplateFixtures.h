#pragma once
// Reads the consent-service fixtures for the template tests.

#include <string>

#include <nlohmann/json.hpp>

namespace templatetest {

// The parsed JSON of QVTV_FIXTURES_DIR/<relativePath>; a discarded value when it is not JSON.
nlohmann::json fixture(const std::string& relativePath);

} // namespace templatetest
