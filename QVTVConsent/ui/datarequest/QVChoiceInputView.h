#pragma once
// One option of a radio group: a circle symbol (filled while the option is chosen) and its
// label. It takes focus; Select runs the action with the option's data. Focused, it shifts
// right and shows a faint rounded background in the label's colour.
//
//   auto option = tvkit::View::make<qvtv::QVChoiceInputView>(data, [](auto& picked) { choose(picked); });

#include "QVTVConsent/model/QVChoiceInputFieldData.h"
#include "tvkit/layout/LayoutAnchor.h"
#include "tvkit/view/View.h"

#include <functional>
#include <memory>

namespace tvkit {
class ImageView;
class Label;
class StackView;
}

namespace qvtv {

class QVChoiceInputView : public tvkit::View {
public:
    using Action = std::function<void(const std::shared_ptr<QVChoiceInputFieldData>&)>;

    QVChoiceInputView(std::shared_ptr<QVChoiceInputFieldData> data, Action action);
    std::string_view className() const override { return "QVChoiceInputView"; }

    const std::shared_ptr<QVChoiceInputFieldData>& data() const { return data_; }
    tvkit::ImageView& imageView() const { return *imageView_; }
    tvkit::Label& label() const { return *label_; }
    const tvkit::ConstraintRef& leadingConstraint() const { return leading_; }
    const tvkit::ConstraintRef& trailingConstraint() const { return trailing_; }

    // Shows the option's current `value`.
    void updateImage();
    // The Select action: runs `action` with the option.
    void didTap();

    bool canBecomeFocused() const override { return true; }
    // The option's label, selected while it is the chosen one.
    std::string accessibilityLabel() const override;
    unsigned accessibilityTraits() const override;
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    std::shared_ptr<QVChoiceInputFieldData> data_;
    Action action_;
    tvkit::ImageView* imageView_ = nullptr;
    tvkit::Label* label_ = nullptr;
    tvkit::ConstraintRef leading_;
    tvkit::ConstraintRef trailing_;
};

} // namespace qvtv
