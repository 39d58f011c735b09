#include "QVTVConsent/ServiceHarness.h"

#include <gtest/gtest.h>

#include <fstream>

#include "QVTVConsent/data/ServiceSettings.h"
#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/engine/QVCoreEngineFactory.h"
#include "platform/RunLoop.h"

namespace testsupport {

ServiceHarness::ServiceHarness() : paths_(dir_.path() / "device"), fixtures_(dir_.path() / "fixtures") {
    qvtv::QVCoreEngineFactory::resetForTests();
    std::filesystem::copy(QVTV_FIXTURES_DIR, fixtures_, std::filesystem::copy_options::recursive);
    service_ = std::make_unique<consentservice::ConsentService>(
        consentservice::ConsentService::Options::serving(fixtures_));
    if (!service_->start()) ADD_FAILURE() << "the local consent service did not start";
    qvtv::ServiceSettings::setBaseUrl(service_->baseUrl());
}

ServiceHarness::~ServiceHarness() {
    qvtv::QVConsentEngineFactory::clearSession(true);
    qvtv::QVCoreEngineFactory::resetForTests();
    qvtv::ServiceSettings::setBaseUrl(std::nullopt);
    service_->stop();
    // Observer deliveries still queued must not outlive the test that registered them.
    platform::RunLoop::main().runPending();
}

std::size_t ServiceHarness::requestCount(const std::string& prefix) const {
    std::size_t count = 0;
    for (const auto& request : service_->requests()) {
        if (request.path.rfind(prefix, 0) == 0) ++count;
    }
    return count;
}

nlohmann::json ServiceHarness::readFixture(const std::string& applicationId, const std::string& file) const {
    std::ifstream in(fixtures_ / applicationId / file);
    return nlohmann::json::parse(in);
}

void ServiceHarness::writeFixture(const std::string& applicationId, const std::string& file,
                                  const nlohmann::json& value) const {
    std::ofstream(fixtures_ / applicationId / file) << value.dump(2);
}

void ServiceHarness::addAnalyticsPackage(const std::string& applicationId, const std::string& packageId) const {
    auto banner = readFixture(applicationId, "banner.json");
    banner["packages"].push_back({{"Category", "site_analytics"},
                                  {"Description", "Added after the viewer chose."},
                                  {"Service", "Test Ltd"},
                                  {"PrivacyPolicyUrl", "https://example.invalid/privacy"},
                                  {"PackageName", "New Meter"},
                                  {"PackageId", packageId},
                                  {"IsEnabled", false}});
    writeFixture(applicationId, "banner.json", banner);
}

} // namespace testsupport
