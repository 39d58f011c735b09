#pragma once
// Speaks the screens for viewers who cannot see them. Views carry a label, a value and traits
// (View::accessibilityLabel and its kin); when focus moves, the newly focused view is described
// ("Accept all, button", "Analytics, on") and, when a screen is presented, its title is, through
// an announcer the host installs. No announcer is installed by default, so a host that does not
// opt in hears nothing and pays nothing. The announcer belongs to this class; set it, and
// announce, on the main thread only, like the rest of the UI.
//
//   tvkit::Accessibility::setAnnouncer([](const std::string& text) { speak(text); });
//   tvkit::Accessibility::describe(*button);   // "Save, button"

#include <functional>
#include <string>

namespace tvkit {

class View;

class Accessibility {
public:
    using Announcer = std::function<void(const std::string& text)>;

    static void setAnnouncer(Announcer announcer);
    static const Announcer& announcer();

    // Hands `text` to the announcer; nothing without one or for empty text.
    static void announce(const std::string& text);
    // The label, the value and the traits' words ("button", "link", "tab", "selected",
    // "dimmed"), those that are not empty, joined by ", ".
    static std::string describe(const View& view);
    // For a view whose state the viewer just changed (a check box ticked): described again when
    // it has focus, so the viewer hears the new state.
    static void announceChange(const View& view);
};

} // namespace tvkit
