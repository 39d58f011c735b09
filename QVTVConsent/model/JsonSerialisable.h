#pragma once
// Records that write themselves as a JSON object: the stored consent document, request bodies and
// consent events are all built from these dictionaries.
//
//   std::shared_ptr<qvtv::JsonSerialisable> record = consentData;
//   auto text = qvtv::JsonUtils::jsonString(record->toJson(), "QVConsentData");

#include <nlohmann/json.hpp>

namespace qvtv {

class JsonSerialisable {
public:
    virtual ~JsonSerialisable() = default;
    virtual nlohmann::json toJson() const = 0;
};

} // namespace qvtv
