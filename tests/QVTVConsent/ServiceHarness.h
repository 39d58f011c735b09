#pragma once
// An isolated world for tests of the repository and the engine: device stores in a fresh
// temporary folder, a copy of the service fixtures that a test may edit, the local consent
// service on loopback serving that copy, the library's client pointed at it, and a virtual wall
// clock on the main run loop. The library's process-wide state starts as in a new process and
// everything is undone on destruction, so harness tests run in any order in one process.

#include <filesystem>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "support/ScopedDataDirectory.h"
#include "support/ScopedMainClock.h"
#include "support/TempDir.h"
#include "tools/consent-service/ConsentService.h"

namespace testsupport {

class ServiceHarness {
public:
    ServiceHarness();
    ~ServiceHarness();

    consentservice::ConsentService& service() { return *service_; }
    ScopedMainClock& clock() { return clock_; }
    const std::filesystem::path& fixtures() const { return fixtures_; }

    // Requests whose path starts with `prefix` (e.g. "/api/mobileconsent/dynamic").
    std::size_t requestCount(const std::string& prefix) const;

    // Reads, edits and writes back one fixture file of the served copy.
    nlohmann::json readFixture(const std::string& applicationId, const std::string& file) const;
    void writeFixture(const std::string& applicationId, const std::string& file, const nlohmann::json& value) const;
    // Adds a package to the banner template's pool under the analytics category.
    void addAnalyticsPackage(const std::string& applicationId, const std::string& packageId) const;

private:
    TempDir dir_;
    ScopedDataDirectory paths_;
    ScopedMainClock clock_;
    std::filesystem::path fixtures_;
    std::unique_ptr<consentservice::ConsentService> service_;
};

} // namespace testsupport
