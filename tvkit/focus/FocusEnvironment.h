#pragma once
// Something that takes part in focus decisions: views and view controllers. An environment
// names where focus should go inside it (preferredFocusEnvironments), may veto a move
// (shouldUpdateFocus) and hears about completed moves (didUpdateFocus).
//
//   std::vector<FocusEnvironment*> preferredFocusEnvironments() const override {
//       return {acceptButton_.get()};
//   }

#include "tvkit/focus/FocusAnimationCoordinator.h"
#include "tvkit/focus/FocusUpdateContext.h"

#include <vector>

namespace tvkit {

class FocusSystem;
class View;

class FocusEnvironment {
public:
    virtual ~FocusEnvironment() = default;

    // Searched in order, each one down its own preferences, for the first focusable view.
    virtual std::vector<FocusEnvironment*> preferredFocusEnvironments() const { return {}; }
    virtual FocusEnvironment* parentFocusEnvironment() const = 0;
    virtual bool shouldUpdateFocus(const FocusUpdateContext&) { return true; }
    virtual void didUpdateFocus(const FocusUpdateContext&, FocusAnimationCoordinator&) {}
    // The view itself for views, the root view for view controllers.
    virtual View* focusEnvironmentView() const = 0;

    // Asks for focus to be re-resolved from this environment's preferences: at the next turn
    // of the main queue, or at updateFocusIfNeeded. Only honoured when focus is inside it.
    void setNeedsFocusUpdate();
    void updateFocusIfNeeded();
    FocusSystem* focusSystem() const;
};

} // namespace tvkit
