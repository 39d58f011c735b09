#pragma once
// One button of a banner or preference-center template: captions, colours and drawing style.
// Equal and hashable over all seven fields, so a button description can key a dictionary.
//
//   auto save = qvtv::QVButtonData::fromSettings("Save", settings, {"ButtonBackgroundColor", "ButtonColor",
//       "ButtonFilling", "ButtonCorners", "ButtonType"}, qvtv::QVFillType::stroke);
//   std::unordered_set<qvtv::QVButtonData> seen{save};

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVButtonType.h"
#include "QVTVConsent/model/QVCornerType.h"
#include "QVTVConsent/model/QVFillType.h"

namespace qvtv {

struct QVButtonData {
    // The settings keys that style one button.
    struct StyleKeys {
        std::string_view backgroundColor;
        std::string_view textColor;
        std::string_view filling;
        std::string_view corners;
        std::string_view type;
    };

    std::string label;
    std::optional<std::string> secondaryLabel;
    std::string backgroundColor;
    std::string textColor;
    QVFillType fillType = QVFillType::fill;
    QVCornerType corners = QVCornerType::smooth;
    QVButtonType buttonType = QVButtonType::button;

    // A button captioned `label` (both captions) styled from `settings`. Only the exact raw
    // filling words count; anything else gives `fillDefault`, which differs per button.
    static QVButtonData fromSettings(std::string label, const nlohmann::json& settings, const StyleKeys& keys,
                                     QVFillType fillDefault);

    // "Fill"/"Stroke" exactly, otherwise `fallback`.
    static QVFillType fillTypeFrom(std::string_view text, QVFillType fallback);
    // Only "Sharp" is sharp; "Smooth", "Round" and anything else are smooth.
    static QVCornerType cornersFrom(std::string_view text);
    // Only "None" draws plain text; anything else, empty included, is a button.
    static QVButtonType buttonTypeFrom(std::string_view text);

    friend bool operator==(const QVButtonData&, const QVButtonData&) = default;
};

} // namespace qvtv

template <>
struct std::hash<qvtv::QVButtonData> {
    std::size_t operator()(const qvtv::QVButtonData& button) const noexcept;
};
