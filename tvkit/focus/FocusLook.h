#pragma once
// The usual shape of a view's focus look: one animation when focus arrives at the view and
// another when it leaves, both run by the coordinator together with the focus move.
//
//   void didUpdateFocus(const FocusUpdateContext& c, FocusAnimationCoordinator& coordinator) override {
//       View::didUpdateFocus(c, coordinator);
//       addFocusLook(*this, c, coordinator, [this] { grow(); }, [this] { shrink(); });
//   }

#include "tvkit/focus/FocusAnimationCoordinator.h"
#include "tvkit/focus/FocusUpdateContext.h"

namespace tvkit {

// Adds `gained` when the update moves focus to `view`, `lost` when it moves focus away from
// it, nothing otherwise.
inline void addFocusLook(const View& view, const FocusUpdateContext& context, FocusAnimationCoordinator& coordinator,
                         FocusAnimationCoordinator::Block gained, FocusAnimationCoordinator::Block lost) {
    if (context.nextFocusedView() == &view) {
        coordinator.addCoordinatedAnimations(std::move(gained));
    } else if (context.previouslyFocusedView() == &view) {
        coordinator.addCoordinatedAnimations(std::move(lost));
    }
}

} // namespace tvkit
