#include "tools/demo/DemoService.h"

#include "QVTVConsent/data/ServiceSettings.h"
#include "QVTVConsent/ui/images/BrandingSettings.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>

namespace demo {
namespace {

// Edits the served copy of the fixtures: one more package in the banner's analytics pool.
void addPackageToBanner(const std::filesystem::path& fixtures, const std::string& id, const std::string& packageId) {
    const auto file = fixtures / id / "banner.json";
    std::ifstream in(file);
    auto banner = nlohmann::json::parse(in, nullptr, false);
    if (!banner.is_object() || !banner["packages"].is_array()) {
        std::cout << "  cannot edit " << file << "\n";
        return;
    }
    banner["packages"].push_back({{"Category", "site_analytics"},
                                  {"Description", "A measurement package added after the viewer chose."},
                                  {"Service", "Example Ltd"},
                                  {"PrivacyPolicyUrl", "https://example.invalid/privacy"},
                                  {"PackageName", "New Meter"},
                                  {"PackageId", packageId},
                                  {"IsEnabled", false}});
    std::ofstream(file) << banner.dump(2);
    std::cout << "  the service's banner for " << id << " now also offers " << packageId << "\n";
}

} // namespace

std::unique_ptr<DemoService> DemoService::start(const DemoOptions& options) {
    std::unique_ptr<DemoService> result(new DemoService);
    std::string origin;
    if (options.origin) {
        origin = *options.origin;
        qvtv::ServiceSettings::setBaseUrl(origin + "/api");
    } else {
        const auto fixtures = options.dataDir / "service-fixtures";
        if (!std::filesystem::exists(fixtures)) {
            std::filesystem::create_directories(options.dataDir);
            std::filesystem::copy(QVTV_FIXTURES_DIR, fixtures, std::filesystem::copy_options::recursive);
        }
        if (options.addPackage) addPackageToBanner(fixtures, options.primaryId, *options.addPackage);
        auto serviceOptions = consentservice::ConsentService::Options::serving(fixtures);
        serviceOptions.database = options.dataDir / "service.sqlite";
        result->local_ = std::make_unique<consentservice::ConsentService>(serviceOptions);
        if (!result->local_->start()) {
            std::cerr << "the local consent service could not start\n";
            return nullptr;
        }
        origin = result->local_->origin();
        qvtv::ServiceSettings::setBaseUrl(result->local_->baseUrl());
    }
    // The branding line's logo comes from the same service, so it is a real download too.
    qvtv::BrandingSettings::setMakerLogoUrl(origin + "/images/maker-logo.svg");
    return result;
}

DemoService::~DemoService() {
    qvtv::ServiceSettings::setBaseUrl(std::nullopt);
    if (local_) local_->stop();
}

std::size_t DemoService::consentDocumentRequests() const {
    std::size_t documents = 0;
    if (!local_) return documents;
    for (const auto& request : local_->requests()) {
        if (request.path == "/api/mobileconsent/dynamic") ++documents;
    }
    return documents;
}

} // namespace demo
