#pragma once
// One text field of the data-request form: what it asks for, whether it must be filled, the
// message shown when it is not, and the keyboard it brings up. `value` holds what was typed.
//
//   if (field->required && field->value.empty()) showError(field->errorMsg);

#include <cstdint>
#include <string>

#include "QVTVConsent/model/QVInputFieldData.h"
#include "tvkit/input/KeyboardType.h"
#include "tvkit/input/ReturnKeyType.h"

namespace qvtv {

struct QVTextInputFieldData : QVInputFieldData<std::string> {
    std::string placeholder;
    bool required = false;
    std::string errorMsg;
    std::int64_t maxLines = 1;
    tvkit::KeyboardType keyboardType = tvkit::KeyboardType::standard;
    // `none` keeps the platform's own return key.
    tvkit::ReturnKeyType returnKeyType = tvkit::ReturnKeyType::none;
};

} // namespace qvtv
