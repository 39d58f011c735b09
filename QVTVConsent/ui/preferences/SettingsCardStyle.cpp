#include "QVTVConsent/ui/preferences/SettingsCardStyle.h"

#include <algorithm>

#include "QVTVConsent/model/ColorUtils.h"
#include "platform/DispatchQueue.h"
#include "tvkit/app/Window.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/text/TextMeasurer.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/ScrollView.h"

namespace qvtv {

namespace {
constexpr double focusedNameScale = 1.01;
constexpr double focusedControlScale = 1.1;
constexpr double visibleMargin = 40;
} // namespace

SettingsCardStyle SettingsCardStyle::from(const QVPreferenceCenterTab& tab, const QVSettingsData& settings) {
    SettingsCardStyle style;
    style.textColor = ColorUtils::fromHex(tab.textColor);
    style.bgColor = ColorUtils::fromHex(settings.dropDownColor);
    style.switchOnColor = ColorUtils::fromHex(tab.buttonBGColor);
    style.pkgLabelsMaxWidth = labelsMaxWidth(settings);
    style.pluginsLabel = settings.pluginsLabel;
    style.enableServicesLabel = settings.enableServicesLabel;
    style.serviceLabel = settings.serviceLabel;
    style.descriptionLabel = settings.descriptionLabel;
    style.noOptoutLabel = settings.noOptOutLabel;
    style.policyLinkLabel = settings.policyLinkLabel;
    return style;
}

double SettingsCardStyle::labelsMaxWidth(const QVSettingsData& settings) {
    double widest = 0;
    for (const std::string* label : {&settings.serviceLabel, &settings.descriptionLabel, &settings.policyLinkLabel}) {
        widest = std::max(widest, tvkit::TextMeasurer::measure(*label + ":", 16, tvkit::Font::regular, 0, 1).width);
    }
    return widest;
}

void SettingsCardStyle::applyFocusLook(const FocusLook& look, bool focused,
                                       tvkit::FocusAnimationCoordinator& coordinator) {
    coordinator.addCoordinatedAnimations([look, focused] {
        const double nameScale = focused ? focusedNameScale : 1.0;
        const double controlScale = focused ? focusedControlScale : 1.0;
        look.name->setTransform(tvkit::AffineTransform::scale(nameScale, nameScale));
        look.name->setFont(focused ? look.focusedFont : look.unfocusedFont);
        look.indicator->setTransform(tvkit::AffineTransform::scale(controlScale, controlScale));
        look.toggle->setTransform(tvkit::AffineTransform::scale(controlScale, controlScale));
        if (focused) {
            look.container->layer().setShadow(tvkit::Color::black(), 0.2, 2, {2, 4});
        } else {
            look.container->layer().setShadow(tvkit::Color::black(), 0.1, 1, {1, 1});
        }
    });
}

void SettingsCardStyle::scrollIntoView(const std::weak_ptr<tvkit::ScrollView>& scrollView, tvkit::View& view) {
    std::weak_ptr<tvkit::View> target = view.weak_from_this();
    platform::DispatchQueue::main().async([scrollView, target] {
        auto scroll = scrollView.lock();
        auto shown = target.lock();
        if (!scroll || !shown || !shown->isDescendantOf(scroll.get())) return;
        tvkit::Rect rect = shown->convertRect(shown->bounds(), scroll.get());
        rect = {rect.minX(), rect.minY() - visibleMargin, rect.width(), rect.height() + 2 * visibleMargin};
        scroll->scrollRectToVisible(rect, false);
    });
}

bool SettingsCardStyle::handlePress(const tvkit::PressSet& presses, const tvkit::View& card, const tvkit::View* toggle,
                                    const std::function<void(bool on)>& setEnabled,
                                    const std::function<void()>& select) {
    if (presses.empty()) return false;
    const tvkit::PressType type = presses.front().type;
    if (type == tvkit::PressType::select) {
        select();
        return true;
    }
    if (type != tvkit::PressType::leftArrow && type != tvkit::PressType::rightArrow) return false;
    tvkit::Window* window = card.window();
    const tvkit::View* focused = window ? window->focusSystem().focusedView() : nullptr;
    if (focused && (focused == &card || focused == toggle)) setEnabled(type == tvkit::PressType::rightArrow);
    return true;
}

} // namespace qvtv
