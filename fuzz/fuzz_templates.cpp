// Feeds arbitrary bytes to both template constructors, as the repository does with service
// answers: the banner first, then the preference center over the banner's categories (or none
// when the banner is refused). Touches the shared objects the screens would flip.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVPreferenceCenterData.h"
#include "platform/LogSink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool setUp = [] {
        // Every log path is exercised, but the lines go nowhere.
        platform::LogSink::setHandler([](std::string_view) {});
        qvtv::QVLogger::INFO_LOGS_ENABLED = true;
        qvtv::QVLogger::WARNING_LOGS_ENABLED = true;
        qvtv::QVLogger::ERROR_LOGS_ENABLED = true;
        return true;
    }();
    (void)setUp;
    const nlohmann::json root = nlohmann::json::parse(data, data + size, nullptr, false);
    if (root.is_discarded()) return 0;

    std::vector<std::shared_ptr<qvtv::QVCategory>> categories;
    if (auto banner = qvtv::QVConsentBannerData::fromJson(root)) {
        categories = (*banner)->categories;
        std::hash<qvtv::QVButtonData> hash;
        (void)hash((*banner)->acceptButton);
        for (const auto& category : categories) {
            category->isExpanded = true;
            for (const auto& package : category->packages) (void)package->toJson();
        }
    }
    if (auto center = qvtv::QVPreferenceCenterData::fromJson(root, categories)) {
        for (const auto& tab : (*center)->tabs) {
            const auto* form = std::get_if<std::shared_ptr<qvtv::QVDataRequestFormData>>(&tab.content);
            if (!form) continue;
            for (const auto& option : (*form)->requestType->value) {
                (void)(*form)->requestLabelTypeMap.count(option->label);
            }
        }
    }
    return 0;
}
