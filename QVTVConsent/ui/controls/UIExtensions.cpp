#include "QVTVConsent/ui/controls/UIExtensions.h"

#include "QVTVConsent/ui/controls/QVPaddedLabel.h"
#include "platform/DispatchQueue.h"
#include "tvkit/app/AlertController.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/Animator.h"

#include <algorithm>
#include <chrono>

namespace qvtv {
namespace {

constexpr double fadeDuration = 0.3;

bool isShowingToast(tvkit::View& view) {
    const auto& children = view.subviews();
    return std::any_of(children.begin(), children.end(), [](const auto& child) { return child->tag() == toastTag; });
}

void presentAlert(tvkit::ViewController& controller, const std::string& message) {
    auto alert = std::make_shared<tvkit::AlertController>(controller.title(), message,
                                                          tvkit::AlertController::Style::alert);
    alert->addAction({"Ok", tvkit::AlertAction::Style::defaultStyle, nullptr});
    controller.present(alert, true);
}

} // namespace

void showToast(tvkit::ViewController& controller, const std::string& message,
               std::optional<tvkit::YAxisAnchor> bottomAnchor, bool asAlert, double duration) {
    if (asAlert) {
        presentAlert(controller, message);
        return;
    }
    const auto& view = controller.view();
    if (isShowingToast(*view)) return;

    auto toast = tvkit::View::make<QVPaddedLabel>(tvkit::EdgeInsets{8, 16, 8, 16});
    toast->setText(message);
    toast->setTextColor(tvkit::Color::white());
    toast->setBackgroundColor(tvkit::Color::black().withAlpha(0.7));
    toast->setTextAlignment(tvkit::TextAlignment::center);
    toast->setFont(tvkit::Font::system(18, tvkit::Font::medium));
    toast->setNumberOfLines(0);
    toast->layer().setCornerRadius(12);
    toast->setClipsToBounds(true);
    toast->setAlpha(0);
    toast->setTag(toastTag);
    toast->setTranslatesAutoresizingMaskIntoConstraints(false);

    view->addSubview(toast);
    tvkit::YAxisAnchor bottom = bottomAnchor ? *bottomAnchor : view->safeAreaLayoutGuide().bottomAnchor();
    tvkit::LayoutConstraint::activate({
        toast->centerXAnchor().equalTo(view->centerXAnchor()),
        toast->bottomAnchor().equalTo(bottom, -60),
        // Tied to the view's width rather than a snapshot of it, so a view not laid out yet (width 0)
        // does not squeeze the toast to nothing.
        toast->widthAnchor().lessOrEqualToMultiple(view->widthAnchor(), 0.8),
        toast->heightAnchor().greaterOrEqualToConstant(40),
    });

    std::weak_ptr<QVPaddedLabel> weak = toast;
    const auto hold = std::chrono::duration_cast<platform::Clock::Duration>(std::chrono::duration<double>(duration));
    tvkit::animate(fadeDuration, [&] { toast->setAlpha(0.9); }, [weak, hold](bool) {
        platform::DispatchQueue::main().asyncAfter(hold, [weak] {
            auto shown = weak.lock();
            if (!shown) return;
            tvkit::animate(fadeDuration, [&] { shown->setAlpha(0); }, [weak](bool) {
                if (auto gone = weak.lock()) gone->removeFromSuperview();
            });
        });
    });
}

} // namespace qvtv
