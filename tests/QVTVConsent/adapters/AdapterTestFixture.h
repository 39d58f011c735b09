#pragma once
// Every adapter test starts with all four vendor fakes registered (unless it asks otherwise), all
// log levels on and the log captured, and no consent repository (the library not initialised); it
// ends with the switches back as they were and no shared adapter manager left behind.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "QVTVConsent/adapters/QVAdapterConsentManager.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "support/LogCapture.h"
#include "tools/sdk-fakes/FakeVendorSdks.h"

namespace adaptertest {

using Calls = std::vector<std::string>;

class AdapterTest : public ::testing::Test {
protected:
    void SetUp() override { qvtv::DataFactory::setRepository(nullptr); }
    void TearDown() override { qvtv::QVAdapterConsentManager::setShared(nullptr); }

    // Replaces the registered fakes, e.g. to leave a vendor out.
    void useSdks(sdkfakes::FakeVendorSdks::Options options) {
        sdks_.reset();
        sdks_.emplace(options);
    }
    Calls calls() const { return sdks_->calls(); }
    void clearCalls() { sdks_->clearCalls(); }

    std::vector<std::string> linesContaining(const std::string& part) const {
        std::vector<std::string> out;
        for (const auto& line : log_.lines()) {
            if (line.find(part) != std::string::npos) out.push_back(line);
        }
        return out;
    }

    testsupport::ScopedLogSwitches logSwitches_{{.info = true, .warning = true, .error = true}};
    testsupport::LogCapture log_;
    std::optional<sdkfakes::FakeVendorSdks> sdks_{std::in_place};
};

// The messages of each vendor's opt-in and opt-out, in order.
inline Calls singularOptIn(bool in) {
    if (in) {
        return {"Singular resumeAllTracking", "Singular setLimitAdvertisingIdentifiers:(false)",
                "Singular limitDataSharing:(false)", "Singular resumeAllTracking"};
    }
    return {"Singular stopAllTracking", "Singular setLimitAdvertisingIdentifiers:(true)",
            "Singular limitDataSharing:(true)"};
}

inline Calls tenjinOptIn(bool in) {
    if (in) return {"TenjinSDK optIn", "TenjinSDK connect"};
    return {"TenjinSDK optOut"};
}

inline Calls airbridgeOptIn(bool in) {
    if (in) return {"Airbridge.Airbridge enableSDK", "Airbridge.Airbridge startTracking"};
    return {"Airbridge.Airbridge stopTracking", "Airbridge.Airbridge disableSDK"};
}

// One advertising record listing the given packages, switched as given.
inline qvtv::ConsentRepository::ConsentList advertisingRecords(
    std::initializer_list<std::pair<const char*, bool>> packages, const char* consentGiven = "Partial") {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [id, on] : packages) list.push_back({{"PackageName", id}, {"PackageId", id}, {"IsEnabled", on}});
    return {*qvtv::QVConsentData::fromJson(
        {{"MobileComplianceCategory", "Advertising"}, {"ConsentGiven", consentGiven}, {"MobilePackageConsents", list}})};
}

inline Calls concat(std::initializer_list<Calls> parts) {
    Calls out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace adaptertest
