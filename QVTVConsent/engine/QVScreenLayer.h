#pragma once
// The screen layer as the engine sees it: the shared loading overlay, the toast, and the builders
// of the library's own screens that the public engine passes to the show operations. Declared
// here so that no engine header includes a screen; defined in ui/QVScreenLayer.cpp, beside the
// screens (as DataFactory::create is defined beside the repository).
//
//   qvtv::QVScreenLayer::showLoading();                       // from any thread
//   core->showConsentBanner(host, qvtv::QVScreenLayer::bannerBuilder());

#include <memory>
#include <string>

#include "QVTVConsent/engine/QVScreenBuilder.h"

namespace qvtv {

class QVConsentBannerData;
class QVPreferenceCenterData;

class QVScreenLayer {
public:
    // Post to the main queue, in call order.
    static void showLoading();
    static void hideLoading();
    // Main thread only: a toast at the bottom of `controller`'s screen for `duration` seconds.
    static void showToast(tvkit::ViewController& controller, const std::string& message, double duration);

    // Both screens come over the full screen with a cross-dissolve.
    static QVScreenBuilder<QVConsentBannerData> bannerBuilder();
    static QVScreenBuilder<QVPreferenceCenterData> preferenceCenterBuilder();

    QVScreenLayer() = delete;
};

} // namespace qvtv
