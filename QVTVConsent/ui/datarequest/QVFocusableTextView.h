#pragma once
// The form's multi-line editor: a wrapping text field that always takes focus and tells its
// onFocusUpdate callback when it gains or loses it.
//
//   auto notes = tvkit::View::make<qvtv::QVFocusableTextView>();
//   notes->onFocusUpdate = [](bool focused, tvkit::FocusAnimationCoordinator&) { ... };

#include "QVTVConsent/ui/datarequest/QVBaseFocusableView.h"
#include "tvkit/view/TextField.h"

namespace qvtv {

class QVFocusableTextView : public tvkit::TextField, public QVBaseFocusableView {
public:
    QVFocusableTextView() : tvkit::TextField(true) {}
    std::string_view className() const override { return "QVFocusableTextView"; }

    bool canBecomeFocused() const override { return true; }
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override {
        tvkit::TextField::didUpdateFocus(context, coordinator);
        notifyFocusUpdate(*this, context, coordinator);
    }
};

} // namespace qvtv
