#pragma once
// One option of a radio group; `value` is true while it is the chosen one. Options compare
// equal by their box style, label, colours and value, which is how the group finds the option
// the viewer picked.
//
//   for (auto& option : group.value) option->value = (*option == picked);

#include "QVTVConsent/model/QVInputFieldData.h"

namespace qvtv {

struct QVChoiceInputFieldData : QVInputFieldData<bool> {
    friend bool operator==(const QVChoiceInputFieldData& a, const QVChoiceInputFieldData& b) {
        return static_cast<const QVContainer&>(a) == static_cast<const QVContainer&>(b) && a.label == b.label &&
               a.textColor == b.textColor && a.errorColor == b.errorColor && a.value == b.value;
    }
};

} // namespace qvtv
