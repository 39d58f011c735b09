#include "QVTVConsent/ui/controls/QVLoading.h"

#include "platform/DispatchQueue.h"
#include "tvkit/app/Application.h"
#include "tvkit/app/Window.h"
#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

QVLoading::QVLoading()
    : overlayView(tvkit::View::make()),
      activityIndicator(tvkit::View::make<tvkit::ActivityIndicator>(tvkit::ActivityIndicator::Style::large)) {
    overlayView->setBackgroundColor(tvkit::Color::black().withAlpha(0.5));
    overlayView->setAutoresizingMask(tvkit::flexibleWidth | tvkit::flexibleHeight);
    activityIndicator->setColor(tvkit::Color::white());
    activityIndicator->setTranslatesAutoresizingMaskIntoConstraints(false);
    overlayView->addSubview(activityIndicator);
    tvkit::LayoutConstraint::activate({
        activityIndicator->centerXAnchor().equalTo(overlayView->centerXAnchor()),
        activityIndicator->centerYAnchor().equalTo(overlayView->centerYAnchor()),
    });
}

QVLoading& QVLoading::shared() {
    static QVLoading instance;
    return instance;
}

void QVLoading::show() {
    platform::DispatchQueue::main().async([] { shared().showNow(); });
}

void QVLoading::hide() {
    platform::DispatchQueue::main().async([] { shared().hideNow(); });
}

void QVLoading::showNow() {
    tvkit::Window* window = tvkit::Application::shared().keyWindow();
    if (!window) return;
    overlayView->setFrame(window->bounds());
    if (overlayView->superview() == window) return;
    window->addSubview(overlayView);
    activityIndicator->startAnimating();
}

void QVLoading::hideNow() {
    activityIndicator->stopAnimating();
    overlayView->removeFromSuperview();
}

} // namespace qvtv
