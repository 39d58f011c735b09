#include "QVTVConsent/ui/images/BrandingSettings.h"

namespace qvtv {
namespace {

std::optional<std::string>& logoOverride() {
    static std::optional<std::string> url;
    return url;
}

std::optional<std::string>& websiteOverride() {
    static std::optional<std::string> url;
    return url;
}

} // namespace

std::string BrandingSettings::makerLogoUrl() { return logoOverride().value_or(QVTV_MAKER_LOGO_URL); }

void BrandingSettings::setMakerLogoUrl(std::optional<std::string> url) { logoOverride() = std::move(url); }

std::string BrandingSettings::makerWebsiteUrl() { return websiteOverride().value_or(QVTV_MAKER_WEBSITE_URL); }

void BrandingSettings::setMakerWebsiteUrl(std::optional<std::string> url) { websiteOverride() = std::move(url); }

} // namespace qvtv
