#pragma once
// What the category and package cards of the settings tab share: the colours and label texts
// derived once from the tab, and the focus look and remote-control rules both kinds of card
// follow (left/right switch the focused card, the focused card scrolls into sight).
//
//   qvtv::SettingsCardStyle style = qvtv::SettingsCardStyle::from(tab, *settings);
//   auto card = std::make_shared<qvtv::CategoryView>(category, style, scrollView);

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "QVTVConsent/model/QVPreferenceCenterData.h"
#include "tvkit/graphics/Color.h"
#include "tvkit/input/Press.h"
#include "tvkit/text/Font.h"

namespace tvkit {
class FocusAnimationCoordinator;
class Label;
class ScrollView;
class StackView;
class View;
} // namespace tvkit

namespace qvtv {

struct SettingsCardStyle {
    tvkit::Color textColor;
    tvkit::Color bgColor;
    tvkit::Color switchOnColor;
    tvkit::Color switchOffColor = tvkit::Color::black().withAlpha(0.05);
    double pkgLabelsMaxWidth = 0;
    std::string pluginsLabel;
    std::string enableServicesLabel;
    std::string serviceLabel;
    std::string descriptionLabel;
    std::string noOptoutLabel;
    std::string policyLinkLabel;

    static SettingsCardStyle from(const QVPreferenceCenterTab& tab, const QVSettingsData& settings);
    // The widest of the three detail keys followed by ":", in the system font 16 regular.
    static double labelsMaxWidth(const QVSettingsData& settings);

    // Both kinds of card: the name label grows and takes the focused font, the arrow and the
    // switch grow, the card's shadow deepens; the reverse when focus leaves.
    struct FocusLook {
        tvkit::Label* name;
        tvkit::Font focusedFont;
        tvkit::Font unfocusedFont;
        tvkit::View* indicator;
        tvkit::View* toggle;
        tvkit::StackView* container;
    };
    static void applyFocusLook(const FocusLook& look, bool focused, tvkit::FocusAnimationCoordinator& coordinator);
    // Scrolls, at the next turn of the main queue, so that `rect` of `view` and 40 points above
    // and below it are visible.
    static void scrollIntoView(const std::weak_ptr<tvkit::ScrollView>& scrollView, tvkit::View& view);

    // Handles a press on a card, judged on its first press: left and right switch the card off
    // and on (`setEnabled`), but only while the card itself or its switch has focus (otherwise
    // they are swallowed too, so a package's press never reaches its category); Select expands or
    // collapses (`select`). False for any other press, which the card passes on.
    static bool handlePress(const tvkit::PressSet& presses, const tvkit::View& card, const tvkit::View* toggle,
                            const std::function<void(bool on)>& setEnabled, const std::function<void()>& select);
};

} // namespace qvtv
