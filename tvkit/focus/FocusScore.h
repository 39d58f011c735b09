#pragma once
// The geometry of directional focus moves, kept pure so it can be tested without views.
// A candidate qualifies when it lies beyond the focused rectangle in the heading; among
// those, the one nearest along the heading wins, with sideways distance weighing three times
// as much and the offset between centres breaking ties.
//
//   auto s = FocusScore::score(FocusHeading::right, {0, 0, 100, 50}, {120, 0, 100, 50});   // 20

#include "tvkit/focus/FocusHeading.h"
#include "tvkit/graphics/Rect.h"

#include <optional>

namespace tvkit {

struct FocusScore {
    // Lower is better; none when the candidate is not in that direction.
    static std::optional<double> score(FocusHeading heading, const Rect& from, const Rect& candidate);
};

} // namespace tvkit
