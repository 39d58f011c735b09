#include "QVTVConsent/model/QVDynamic.h"

#include <algorithm>

#include "QVTVConsent/core/BoolUtils.h"
#include "QVTVConsent/core/JsonTextWriter.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {
namespace {

bool isListOfObjects(const nlohmann::json* value) {
    return value && value->is_array() &&
           std::ranges::all_of(*value, [](const nlohmann::json& element) { return element.is_object(); });
}

} // namespace

Result<std::shared_ptr<QVDynamic>> QVDynamic::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVDynamic", &value);
    // Older stored documents name the category list "subConsents".
    const nlohmann::json* categories = JsonUtils::find(value, "MobilePackageConsents");
    if (!isListOfObjects(categories)) categories = JsonUtils::find(value, "subConsents");
    Categories subConsents;
    if (isListOfObjects(categories)) subConsents = JsonUtils::parseListOrEmpty(categories, QVConsentData::fromJson);
    return std::make_shared<QVDynamic>(StringUtils::getString(JsonUtils::find(value, "location")),
                                       StringUtils::getString(JsonUtils::find(value, "autoClientId")),
                                       std::move(subConsents),
                                       BoolUtils::getBool(JsonUtils::find(value, "isConsentRecordingAllowed")));
}

nlohmann::json QVDynamic::toJson() const {
    nlohmann::json categories(nlohmann::json::value_t::array);
    auto& list = categories.get_ref<nlohmann::json::array_t&>();
    list.reserve(subConsents_.size());
    for (const auto& category : subConsents_) list.push_back(category->toJson());
    nlohmann::json object = nlohmann::json::object();
    object["location"] = locale_;
    object["autoClientId"] = clientId_;
    object["MobilePackageConsents"] = std::move(categories);
    object["isConsentRecordingAllowed"] = isConsentRecordingAllowed_;
    return object;
}

void QVDynamic::writeJson(JsonTextWriter& writer) const {
    writer.beginObject();
    writer.key("MobilePackageConsents");
    writer.beginArray();
    for (const auto& category : subConsents_) category->writeJson(writer);
    writer.endArray();
    writer.key("autoClientId");
    writer.string(clientId_);
    writer.key("isConsentRecordingAllowed");
    writer.boolean(isConsentRecordingAllowed_);
    writer.key("location");
    writer.string(locale_);
    writer.endObject();
}

} // namespace qvtv
