#pragma once
// One tab of the preference center's tab bar: the heading in capitals with an underline under
// the selected tab. Select runs its action (the screen then shows that tab); focus grows it and
// tints its background.
//
//   auto tab = std::make_shared<qvtv::QVTabView>("Privacy policy", selected, unselected,
//                                                [](qvtv::QVTabView& t) { select(t); });

#include <functional>
#include <memory>
#include <string>

#include "tvkit/layout/StackView.h"
#include "tvkit/view/Control.h"
#include "tvkit/view/Label.h"

namespace qvtv {

class QVTabView : public tvkit::Control {
public:
    using Action = std::function<void(QVTabView&)>;

    static constexpr double fontSize = 20;

    QVTabView(std::string title, tvkit::Color selectedColor, tvkit::Color unselectedColor, Action action);

    std::string_view className() const override { return "QVTabView"; }

    const std::string& title() const { return title_; }
    bool isSelectedValue() const { return isSelectedValue_; }
    void setSelectedValue(bool selected) { isSelectedValue_ = selected; }
    // Colours, font weight and underline for the current selection.
    void updateAppearance();
    // Its title; a tab, selected while it is.
    std::string accessibilityLabel() const override { return title_; }
    unsigned accessibilityTraits() const override;
    // The primary action: flips the selection, updates the look and runs the action.
    void onTap();

    const std::shared_ptr<tvkit::Label>& label() const { return label_; }
    const std::shared_ptr<tvkit::View>& dividerView() const { return dividerView_; }

    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    std::shared_ptr<tvkit::Label> label_;
    std::shared_ptr<tvkit::View> dividerView_;
    std::shared_ptr<tvkit::StackView> stack_;
    Action action_;
    std::string title_;
    bool isSelectedValue_ = false;
    tvkit::Color selectedColor_;
    tvkit::Color unselectedColor_;
    tvkit::ConstraintRef stackBottomConstraint_;
};

} // namespace qvtv
