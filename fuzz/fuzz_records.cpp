// Feeds arbitrary bytes to every consent-record JSON constructor and writes the successes back.
// Also checks the stored-text writer against nlohmann's own dump on the same values, and records that
// stream themselves against the text of their own value.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/model/GoogleConsentData.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/model/QVAppliedGCMData.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/model/QVConsentModeConfigData.h"
#include "QVTVConsent/model/QVConsentSignalConfig.h"
#include "QVTVConsent/model/QVDynamic.h"
#include "QVTVConsent/model/QVPackageConsent.h"

namespace {

// The fast writer must agree with the reference writer: same text, or both refuse.
void checkWriter(const nlohmann::json& value) {
    auto ours = qvtv::JsonUtils::jsonString(value, "fuzz");
    std::string reference;
    bool referenceOk = true;
    try {
        reference = value.dump(2);
    } catch (const nlohmann::json::type_error&) {
        referenceOk = false;
    }
    if (ours.ok() != referenceOk || (referenceOk && *ours != reference)) std::abort();
}

template <class Parse>
void roundTrip(const nlohmann::json& value, Parse parse) {
    auto record = parse(value);
    if (!record) return;
    nlohmann::json written;
    if constexpr (requires { (*record)->toJson(); }) {
        written = (*record)->toJson();
    } else {
        written = record->toJson();
    }
    checkWriter(written);
    // Records that stream themselves must write the text of their own value.
    if constexpr (requires { qvtv::JsonUtils::jsonString(**record, "fuzz"); }) {
        auto streamed = qvtv::JsonUtils::jsonString(**record, "fuzz");
        auto viaValue = qvtv::JsonUtils::jsonString(written, "fuzz");
        if (streamed.ok() != viaValue.ok() || (streamed.ok() && *streamed != *viaValue)) std::abort();
    }
    // What a record writes, it must read back to the same JSON.
    auto again = parse(written);
    if (!again) std::abort();
    nlohmann::json rewritten;
    if constexpr (requires { (*again)->toJson(); }) {
        rewritten = (*again)->toJson();
    } else {
        rewritten = again->toJson();
    }
    if (rewritten != written) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkWriter(nlohmann::json{{"raw", bytes}});

    nlohmann::json value = nlohmann::json::parse(bytes, nullptr, false);
    if (value.is_discarded()) return 0;
    checkWriter(value);
    roundTrip(value, qvtv::QVDynamic::fromJson);
    roundTrip(value, qvtv::QVConsentData::fromJson);
    roundTrip(value, qvtv::QVPackageConsent::fromJson);
    roundTrip(value, qvtv::QVConsentSignalConfig::fromJson);
    roundTrip(value, qvtv::GoogleConsentData::fromJson);
    roundTrip(value, qvtv::QVConsentModeConfigData::fromJson);
    roundTrip(value, qvtv::QVAppliedGCMData::fromJson);
    if (auto message = qvtv::QVMessage::fromDictionary(value)) (void)message->description();
    return 0;
}
