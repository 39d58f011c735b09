#include "QVTVConsent/model/QVButtonData.h"

#include <utility>

#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {

QVButtonData QVButtonData::fromSettings(std::string label, const nlohmann::json& settings, const StyleKeys& keys,
                                        QVFillType fillDefault) {
    QVButtonData button;
    button.secondaryLabel = label;
    button.label = std::move(label);
    button.backgroundColor = templatejson::text(settings, keys.backgroundColor);
    button.textColor = templatejson::text(settings, keys.textColor);
    button.fillType = fillTypeFrom(templatejson::text(settings, keys.filling), fillDefault);
    button.corners = cornersFrom(templatejson::text(settings, keys.corners));
    button.buttonType = buttonTypeFrom(templatejson::text(settings, keys.type));
    return button;
}

QVFillType QVButtonData::fillTypeFrom(std::string_view text, QVFillType fallback) {
    return fromRawValue<QVFillType>(text).value_or(fallback);
}

QVCornerType QVButtonData::cornersFrom(std::string_view text) {
    return cornerTypeFromTemplate(text).value_or(QVCornerType::smooth);
}

QVButtonType QVButtonData::buttonTypeFrom(std::string_view text) {
    return fromRawValue<QVButtonType>(text).value_or(QVButtonType::button);
}

} // namespace qvtv

namespace {

void combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace

std::size_t std::hash<qvtv::QVButtonData>::operator()(const qvtv::QVButtonData& button) const noexcept {
    const std::hash<std::string_view> text;
    std::size_t seed = text(button.label);
    // An absent second caption must hash apart from an empty one, as they compare unequal.
    combine(seed, button.secondaryLabel ? text(*button.secondaryLabel) : 0x51ed270b27f4a7c1ULL);
    combine(seed, text(button.backgroundColor));
    combine(seed, text(button.textColor));
    combine(seed, text(qvtv::rawValue(button.fillType)));
    combine(seed, text(qvtv::rawValue(button.corners)));
    combine(seed, text(qvtv::rawValue(button.buttonType)));
    return seed;
}
