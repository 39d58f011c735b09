#pragma once
// A check box with a title, for choices such as a category on the banner. Select flips it
// (unless it is disabled, when it cannot take focus either) and calls `action` with the box;
// with focus it grows and casts a deeper shadow.
//
//   auto box = std::make_shared<qvtv::QVCheckboxView>(qvtv::QVCheckboxView::Options{
//       "Analytics", true, true, white, white.withAlpha(0.9)},
//       [category](qvtv::QVCheckboxView& b) { category->isEnabled = b.isCheckedValue(); });

#include "tvkit/layout/StackView.h"
#include "tvkit/view/Control.h"
#include "tvkit/view/ImageView.h"
#include "tvkit/view/Label.h"

#include <functional>
#include <memory>
#include <string>

namespace qvtv {

class QVCheckboxView : public tvkit::Control {
public:
    using Action = std::function<void(QVCheckboxView&)>;

    // What the box shows.
    struct Options {
        std::string title;
        bool checked = false;
        bool enabled = true;
        tvkit::Color textColor = tvkit::Color::white();
        tvkit::Color textColorDisabled = tvkit::Color::white().withAlpha(0.9);
    };

    const std::shared_ptr<tvkit::Label> label;
    const std::shared_ptr<tvkit::ImageView> checkbox;
    const std::shared_ptr<tvkit::StackView> stack;

    QVCheckboxView(Options options, Action action);
    std::string_view className() const override { return "QVCheckboxView"; }

    const std::string& title() const { return title_; }
    bool isCheckedValue() const { return isCheckedValue_; }
    bool isEnabledValue() const { return isEnabledValue_; }
    tvkit::Color textColor() const { return textColor_; }
    tvkit::Color textColorDisabled() const { return textColorDisabled_; }

    // Flips the box and calls the action; nothing while disabled.
    void onTap();
    // Its title, "on" or "off".
    std::string accessibilityLabel() const override { return title_; }
    std::string accessibilityValue() const override;

    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    void layout();
    void update();

    Action action_;
    std::string title_;
    bool isCheckedValue_;
    bool isEnabledValue_;
    tvkit::Color textColor_;
    tvkit::Color textColorDisabled_;
};

} // namespace qvtv
