#pragma once
// The viewer action that produced a consent event.
//
//   auto v = qvtv::fromRawValue<qvtv::QVUserConsentActionType>("Accept");   // QVUserConsentActionType::accept
//   qvtv::rawValue(qvtv::QVUserConsentActionType::accept);                  // "Accept"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVUserConsentActionType { accept, reject, customize };

template <>
struct RawValues<QVUserConsentActionType> {
    static constexpr std::array<std::pair<QVUserConsentActionType, std::string_view>, 3> table{{
        {QVUserConsentActionType::accept, "Accept"},
        {QVUserConsentActionType::reject, "Reject"},
        {QVUserConsentActionType::customize, "Customize"},
    }};
};

} // namespace qvtv
