#pragma once
// The direction of a focus move; none for moves that were not asked for by a direction
// (a programmatic update or a newly presented screen).

#include "tvkit/input/Press.h"

#include <optional>

namespace tvkit {

enum class FocusHeading { none = 0, up = 1, down = 2, left = 4, right = 8 };

inline std::optional<FocusHeading> headingFor(PressType type) {
    switch (type) {
    case PressType::upArrow: return FocusHeading::up;
    case PressType::downArrow: return FocusHeading::down;
    case PressType::leftArrow: return FocusHeading::left;
    case PressType::rightArrow: return FocusHeading::right;
    default: return std::nullopt;
    }
}

} // namespace tvkit
