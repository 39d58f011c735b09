#pragma once
// The fields of the data-request form, in form order.
//
//   auto v = qvtv::fromRawValue<qvtv::QVDataRequestField>("Email");   // QVDataRequestField::email
//   qvtv::rawValue(qvtv::QVDataRequestField::email);                  // "Email"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVDataRequestField { name, email, address, phone, message, type };

template <>
struct RawValues<QVDataRequestField> {
    static constexpr std::array<std::pair<QVDataRequestField, std::string_view>, 6> table{{
        {QVDataRequestField::name, "Name"},
        {QVDataRequestField::email, "Email"},
        {QVDataRequestField::address, "Address"},
        {QVDataRequestField::phone, "Phone"},
        {QVDataRequestField::message, "Message"},
        {QVDataRequestField::type, "Type"},
    }};
};

} // namespace qvtv
