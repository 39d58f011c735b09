#pragma once
// Whether a template button or container is drawn filled or as an outline.
//
//   auto v = qvtv::fromRawValue<qvtv::QVFillType>("Stroke");   // QVFillType::stroke
//   qvtv::rawValue(qvtv::QVFillType::stroke);                  // "Stroke"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVFillType { fill, stroke };

template <>
struct RawValues<QVFillType> {
    static constexpr std::array<std::pair<QVFillType, std::string_view>, 2> table{{
        {QVFillType::fill, "Fill"},
        {QVFillType::stroke, "Stroke"},
    }};
};

} // namespace qvtv
