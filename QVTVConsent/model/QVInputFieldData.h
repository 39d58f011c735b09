#pragma once
// A labelled form element holding the viewer's input in `value`, which the form screen writes
// while the viewer types or chooses. Text fields hold text, choice options a Boolean.
//
//   qvtv::QVInputFieldData<std::string> field;
//   field.value = "jane@example.com";

#include <string>

#include "QVTVConsent/model/QVContainer.h"

namespace qvtv {

template <class Value>
struct QVInputFieldData : QVContainer {
    std::string label;
    std::string textColor;
    std::string errorColor;
    Value value{};
};

} // namespace qvtv
