#include "QVTVConsent/ui/datarequest/QVBaseFocusableView.h"

#include "tvkit/focus/FocusUpdateContext.h"

namespace qvtv {

void QVBaseFocusableView::notifyFocusUpdate(const tvkit::View& self, const tvkit::FocusUpdateContext& context,
                                            tvkit::FocusAnimationCoordinator& coordinator) const {
    if (!onFocusUpdate) return;
    if (context.nextFocusedView() == &self) onFocusUpdate(true, coordinator);
    else if (context.previouslyFocusedView() == &self) onFocusUpdate(false, coordinator);
}

} // namespace qvtv
