#pragma once
// Layout priorities: 1 (weakest) to 1000 (required). The solver turns a priority into one
// comparable weight for its objective; values outside the range are clipped on input.
//
//   constraint.setPriority(tvkit::layout::Priority::defaultHigh);

#include <algorithm>
#include <cmath>

namespace tvkit::layout::Priority {

inline constexpr double required = 1000;
inline constexpr double defaultHigh = 750;
inline constexpr double defaultLow = 250;
inline constexpr double fittingSizeLevel = 50;
// Where a required constraint that cannot hold is demoted to: above every optional one.
inline constexpr double brokenRequired = 999.5;

inline double clip(double priority) { return std::clamp(priority, 1.0, required); }

// Weight of an optional constraint's error in the objective. Exponential so that one
// constraint of a clearly higher priority outweighs many of a lower one (250 against 750
// is a factor of 10^4), while the largest weight stays small enough for exact pivots.
inline double weight(double priority) { return std::pow(10.0, clip(priority) / 125.0); }

} // namespace tvkit::layout::Priority
