#pragma once
// Records that write themselves as a JSON object: the stored consent document, request bodies and
// consent events are all built from these dictionaries.
//
//   std::shared_ptr<qvtv::JsonSerialisable> record = consentData;
//   auto text = qvtv::JsonUtils::jsonString(*record, "QVConsentData");

#include <nlohmann/json.hpp>

namespace qvtv {

class JsonTextWriter;

class JsonSerialisable {
public:
    virtual ~JsonSerialisable() = default;
    virtual nlohmann::json toJson() const = 0;

    // Writes the object toJson() gives, as text. The default goes through toJson(); records that
    // are written in bulk (the stored document: hundreds of packages on every save) stream their
    // members instead, which saves building and freeing a value tree.
    virtual void writeJson(JsonTextWriter& writer) const;
};

} // namespace qvtv
