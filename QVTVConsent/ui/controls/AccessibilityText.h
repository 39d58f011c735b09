#pragma once
// The words the screens give tvkit's accessibility layer (tvkit::Accessibility) for their
// titles and states, in one place so that every screen says them alike.
//
//   std::string value = qvtv::AccessibilityText::onOff(box.isCheckedValue());   // "on"
//   qvtv::AccessibilityText::cardState(false, "on");                           // "collapsed, on"

#include <string>

namespace qvtv::AccessibilityText {

// Spoken when the screens come up.
inline constexpr const char* bannerTitle = "Privacy notice";
inline constexpr const char* preferenceCenterTitle = "Privacy preferences";

inline std::string onOff(bool on) { return on ? "on" : "off"; }
// A settings card after its name: whether its details show, then its switch's state.
inline std::string cardState(bool expanded, const std::string& state) {
    return std::string(expanded ? "expanded" : "collapsed") + ", " + state;
}

} // namespace qvtv::AccessibilityText
