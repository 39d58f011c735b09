#pragma once
// The form's single-line editor: a text field that always takes focus and tells its
// onFocusUpdate callback when it gains or loses it.
//
//   auto field = tvkit::View::make<qvtv::QVFocusableTextField>();
//   field->onFocusUpdate = [](bool focused, tvkit::FocusAnimationCoordinator&) { ... };

#include "QVTVConsent/ui/datarequest/QVBaseFocusableView.h"
#include "tvkit/view/TextField.h"

namespace qvtv {

class QVFocusableTextField : public tvkit::TextField, public QVBaseFocusableView {
public:
    QVFocusableTextField() : tvkit::TextField(false) {}
    std::string_view className() const override { return "QVFocusableTextField"; }

    bool canBecomeFocused() const override { return true; }
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override {
        tvkit::TextField::didUpdateFocus(context, coordinator);
        notifyFocusUpdate(*this, context, coordinator);
    }
};

} // namespace qvtv
