#pragma once
// What kind of element a view is and what state it is in, for whoever describes the screen to a
// viewer who cannot see it (see Accessibility): a bit set, spoken after the label and the value.
//
//   tab->setAccessibilityTraits(AccessibilityTraits::tab | AccessibilityTraits::selected);

namespace tvkit {

struct AccessibilityTraits {
    enum : unsigned {
        none = 0,
        button = 1u << 0,
        link = 1u << 1,
        tab = 1u << 2,
        selected = 1u << 3,
        notEnabled = 1u << 4,
    };
};

} // namespace tvkit
