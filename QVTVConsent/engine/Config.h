#pragma once
// Build constants of the library.

#include <string_view>

namespace qvtv::Config {

// The library's version, also reported to the consent service.
inline constexpr std::string_view buildVersion = "0.1.6-beta";

} // namespace qvtv::Config
