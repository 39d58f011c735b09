#pragma once
// The library's build constants: its version (also reported to the consent service) and the
// blocking mode, which no operation changes.
//
//   log("QVTVConsent " + std::string(qvtv::Config::buildVersion));

#include <string_view>

#include "QVTVConsent/core/QVBlockingMode.h"

namespace qvtv::Config {

inline constexpr std::string_view buildVersion = "0.1.6-beta";
inline constexpr QVBlockingMode blockingMode = QVBlockingMode::auto_;

} // namespace qvtv::Config
