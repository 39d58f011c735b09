#pragma once
// The box style of a form element: background colour text, filled or outlined, corner style.
// Every input field of the data-request form extends it; the officer's contact box is one.
//
//   qvtv::QVContainer box{"#FFFFFF", qvtv::QVFillType::fill, qvtv::QVCornerType::smooth};

#include <string>

#include "QVTVConsent/model/QVCornerType.h"
#include "QVTVConsent/model/QVFillType.h"

namespace qvtv {

struct QVContainer {
    std::string backgroundColor;
    QVFillType fillType = QVFillType::fill;
    QVCornerType cornerType = QVCornerType::smooth;

    friend bool operator==(const QVContainer&, const QVContainer&) = default;
};

} // namespace qvtv
