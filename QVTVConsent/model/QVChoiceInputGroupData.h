#pragma once
// A radio group of the data-request form: its caption, its options (shared with the option
// views, which set their `value`), the direction they are laid out in and whether a choice is
// required.
//
//   auto chosen = std::find_if(group.value.begin(), group.value.end(), [](auto& o) { return o->value; });

#include <memory>
#include <vector>

#include "QVTVConsent/model/QVChoiceInputFieldData.h"
#include "QVTVConsent/model/QVInputFieldData.h"
#include "tvkit/layout/LayoutAxis.h"

namespace qvtv {

struct QVChoiceInputGroupData : QVInputFieldData<std::vector<std::shared_ptr<QVChoiceInputFieldData>>> {
    tvkit::LayoutAxis axis = tvkit::LayoutAxis::horizontal;
    bool required = false;
};

} // namespace qvtv
