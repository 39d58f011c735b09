#pragma once
// The compliance category of a consent category or package. Besides its raw value each case has
// a service key ("site_analytics" for analytics); parsers accept either through categoryTypeFromText.
//
//   qvtv::categoryTypeFromText("SITE_ANALYTICS");   // QVCategoryType::analytics
//   qvtv::rawValue(qvtv::QVCategoryType::analytics);  // "Analytics"

#include <optional>
#include <string_view>

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVCategoryType {
    essential,
    socialMedia,
    advertising,
    analytics,
    customerInteraction,
    audioVideoPlayer,
    unclassified
};

template <>
struct RawValues<QVCategoryType> {
    static constexpr std::array<std::pair<QVCategoryType, std::string_view>, 7> table{{
        {QVCategoryType::essential, "Essential"},
        {QVCategoryType::socialMedia, "SocialMedia"},
        {QVCategoryType::advertising, "Advertising"},
        {QVCategoryType::analytics, "Analytics"},
        {QVCategoryType::customerInteraction, "CustomerInteraction"},
        {QVCategoryType::audioVideoPlayer, "AudioVideoPlayer"},
        {QVCategoryType::unclassified, "Unclassified"},
    }};
};

// The key the consent service uses for the category in template and consent JSON.
std::string_view serviceKey(QVCategoryType type);

// Exact raw value first; then the service key compared without regard to letter case (whole text,
// no trimming). No match gives no value and the caller decides what that means.
std::optional<QVCategoryType> categoryTypeFromText(std::string_view text);

} // namespace qvtv
