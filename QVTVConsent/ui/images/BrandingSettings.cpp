#include "QVTVConsent/ui/images/BrandingSettings.h"

#include <mutex>

#include "platform/NoDestructor.h"

namespace qvtv {
namespace {

// The one owner of both overrides. A host or the demo may set them from its start-up thread
// while a screen reads them on the main thread, so every access takes the lock.
struct Overrides {
    std::mutex mutex;
    std::optional<std::string> logo;
    std::optional<std::string> website;
};

Overrides& overrides() {
    static platform::NoDestructor<Overrides> shared;
    return *shared;
}

std::string read(std::optional<std::string> Overrides::*which, const char* buildValue) {
    auto& all = overrides();
    std::lock_guard lock(all.mutex);
    return (all.*which).value_or(buildValue);
}

void write(std::optional<std::string> Overrides::*which, std::optional<std::string> url) {
    auto& all = overrides();
    std::lock_guard lock(all.mutex);
    all.*which = std::move(url);
}

} // namespace

std::string BrandingSettings::makerLogoUrl() { return read(&Overrides::logo, QVTV_MAKER_LOGO_URL); }

void BrandingSettings::setMakerLogoUrl(std::optional<std::string> url) { write(&Overrides::logo, std::move(url)); }

std::string BrandingSettings::makerWebsiteUrl() { return read(&Overrides::website, QVTV_MAKER_WEBSITE_URL); }

void BrandingSettings::setMakerWebsiteUrl(std::optional<std::string> url) {
    write(&Overrides::website, std::move(url));
}

} // namespace qvtv
