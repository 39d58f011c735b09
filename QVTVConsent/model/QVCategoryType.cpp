#include "QVTVConsent/model/QVCategoryType.h"

#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

std::string_view serviceKey(QVCategoryType type) {
    switch (type) {
    case QVCategoryType::essential: return "essential";
    case QVCategoryType::socialMedia: return "social_media";
    case QVCategoryType::advertising: return "advertising";
    case QVCategoryType::analytics: return "site_analytics";
    case QVCategoryType::customerInteraction: return "customer_interaction";
    case QVCategoryType::audioVideoPlayer: return "audio_video_player";
    case QVCategoryType::unclassified: return "unclassified";
    }
    return {};
}

std::optional<QVCategoryType> categoryTypeFromText(std::string_view text) {
    if (auto exact = fromRawValue<QVCategoryType>(text)) return exact;
    for (auto type : allCases<QVCategoryType>()) {
        if (StringUtils::equalsIgnoreCase(serviceKey(type), text)) return type;
    }
    return std::nullopt;
}

} // namespace qvtv
