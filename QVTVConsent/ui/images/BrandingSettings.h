#pragma once
// The two addresses of the "Crafted By" line: the maker's logo image and the maker's web site.
// They are build settings (QVTV_MAKER_LOGO_URL, QVTV_MAKER_WEBSITE_URL); tests and the demo
// point the logo at the local service instead. The overrides are process-wide, owned here and
// safe to set and read from any thread; a screen reads them when it builds its branding line.
//
//   qvtv::BrandingSettings::setMakerLogoUrl(service.origin() + "/images/maker-logo.svg");
//   qvtv::BrandingSettings::setMakerLogoUrl(std::nullopt);   // back to the build's address

#include <optional>
#include <string>

namespace qvtv {

class BrandingSettings {
public:
    // The override when set, else the build's value (possibly empty: no logo to fetch).
    static std::string makerLogoUrl();
    static void setMakerLogoUrl(std::optional<std::string> url);
    static std::string makerWebsiteUrl();
    static void setMakerWebsiteUrl(std::optional<std::string> url);

    BrandingSettings() = delete;
};

} // namespace qvtv
