// The screen layer's side of QVScreenLayer (declared in engine/, so the engine needs no screen
// header): the library's own overlay, toast and screens.
#include "QVTVConsent/engine/QVScreenLayer.h"

#include "QVTVConsent/ui/banner/QVConsentBannerViewController.h"
#include "QVTVConsent/ui/controls/QVLoading.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"

namespace qvtv {
namespace {

template <class Screen>
void presentOverFullScreen(Screen& screen) {
    screen.setModalPresentationStyle(tvkit::ModalPresentationStyle::overFullScreen);
    screen.setModalTransitionStyle(tvkit::ModalTransitionStyle::crossDissolve);
}

} // namespace

void QVScreenLayer::showLoading() { QVLoading::show(); }

void QVScreenLayer::hideLoading() { QVLoading::hide(); }

void QVScreenLayer::showToast(tvkit::ViewController& controller, const std::string& message, double duration) {
    qvtv::showToast(controller, message, std::nullopt, false, duration);
}

QVScreenBuilder<QVConsentBannerData> QVScreenLayer::bannerBuilder() {
    return [](const std::string& applicationId, std::shared_ptr<QVConsentBannerData> data) {
        auto banner = std::make_shared<QVConsentBannerViewController>();
        banner->applicationId = applicationId;
        banner->data = std::move(data);
        presentOverFullScreen(*banner);
        return std::static_pointer_cast<tvkit::ViewController>(banner);
    };
}

QVScreenBuilder<QVPreferenceCenterData> QVScreenLayer::preferenceCenterBuilder() {
    return [](const std::string& applicationId, std::shared_ptr<QVPreferenceCenterData> data) {
        auto screen = std::make_shared<QVPreferenceCenterViewController>();
        screen->applicationId = applicationId;
        screen->data = std::move(data);
        presentOverFullScreen(*screen);
        return std::static_pointer_cast<tvkit::ViewController>(screen);
    };
}

} // namespace qvtv
