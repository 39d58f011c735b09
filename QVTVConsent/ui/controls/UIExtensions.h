#pragma once
// Short messages over any screen (the host's or one of ours): a rounded caption that fades in
// near the bottom, stays `duration` seconds on the main run loop's clock and fades out, or an
// alert with a single "Ok" button. Only one toast shows on a screen at a time.
//
//   qvtv::showToast(*hostController, "Internal server error, please contact support (1014)");

#include "tvkit/app/ViewController.h"
#include "tvkit/layout/LayoutAnchor.h"

#include <optional>
#include <string>

namespace qvtv {

// The tag that marks a toast among a screen's subviews.
inline constexpr int toastTag = 9999;

// Main thread only. The toast sits 60 points above `bottomAnchor` (the safe area's bottom when
// none) and is at most 80 % as wide as the screen's view.
void showToast(tvkit::ViewController& controller, const std::string& message,
               std::optional<tvkit::YAxisAnchor> bottomAnchor = std::nullopt, bool asAlert = false,
               double duration = 2.0);

} // namespace qvtv
