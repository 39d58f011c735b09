#pragma once
// The focus engine of one window. It holds the focused view, resolves preferred focus
// environments, moves focus geometrically for arrow presses and swipes, asks every
// environment involved whether a move may happen, then tells them all and runs the
// coordinated animations together. Only the focus pointer changes synchronously; requests
// made from focus callbacks are served after the current update has finished.
//
//   window->focusSystem().moveFocus(FocusHeading::down);
//   View* now = window->focusSystem().focusedView();

#include "tvkit/focus/FocusEnvironment.h"

#include <memory>

namespace tvkit {

class Window;

class FocusSystem {
public:
    static constexpr double animationDuration = 0.2;

    explicit FocusSystem(Window& window) : window_(window) {}

    View* focusedView() const { return focused_.lock().get(); }

    // Focus is re-resolved from `environment` when it contains the focused view (or nothing is
    // focused); `force` skips that check (a newly presented screen takes focus).
    void requestUpdate(FocusEnvironment& environment, bool force = false);
    void updateFocusIfNeeded();
    // Moves focus to the best candidate in `heading`; false when there is none or a veto.
    bool moveFocus(FocusHeading heading);
    // A view leaving the window or becoming hidden: focus inside it moves elsewhere.
    void viewWillLeave(View& view);

    // Whether a view may take focus now: focusable, visible, interactive, inside the
    // presented screen.
    bool isFocusable(const View& view) const;
    // Where focus would go from an environment's preferences.
    View* resolvePreferred(FocusEnvironment& environment, int depth = 0) const;

private:
    bool performUpdate(const std::shared_ptr<View>& next, FocusHeading heading);
    View* scopeView() const;
    View* firstFocusable(View& root) const;
    void scheduleUpdate();

    Window& window_;
    std::weak_ptr<View> focused_;
    std::weak_ptr<View> pendingView_;  // the requesting environment's view
    bool pendingIsController_ = false;
    bool hasPending_ = false;
    bool updating_ = false;
    bool scheduled_ = false;
};

} // namespace tvkit
