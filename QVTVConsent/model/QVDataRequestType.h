#pragma once
// The kind of a data-subject request on the data-request form.
//
//   auto v = qvtv::fromRawValue<qvtv::QVDataRequestType>("Deletion");   // QVDataRequestType::dataDeletion
//   qvtv::rawValue(qvtv::QVDataRequestType::dataDeletion);                  // "Deletion"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVDataRequestType { dataExport, dataDeletion, other };

template <>
struct RawValues<QVDataRequestType> {
    static constexpr std::array<std::pair<QVDataRequestType, std::string_view>, 3> table{{
        {QVDataRequestType::dataExport, "Export"},
        {QVDataRequestType::dataDeletion, "Deletion"},
        {QVDataRequestType::other, "Other"},
    }};
};

} // namespace qvtv
