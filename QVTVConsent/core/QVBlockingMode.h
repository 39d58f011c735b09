#pragma once
// The blocking mode of the build configuration. `auto` is a C++ keyword, so that case
// carries a trailing underscore.
//
//   auto v = qvtv::fromRawValue<qvtv::QVBlockingMode>("Manual");   // QVBlockingMode::manual
//   qvtv::rawValue(qvtv::QVBlockingMode::manual);                  // "Manual"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVBlockingMode { auto_, manual };

template <>
struct RawValues<QVBlockingMode> {
    static constexpr std::array<std::pair<QVBlockingMode, std::string_view>, 2> table{{
        {QVBlockingMode::auto_, "Auto"},
        {QVBlockingMode::manual, "Manual"},
    }};
};

} // namespace qvtv
