#pragma once
// The caption above a form control: the label in the control's text colour, semibold 14, and
// for a required control " *" in its error colour at 16. Shown in a text view that wraps
// rather than cuts a long label.
//
//   auto caption = qvtv::FieldCaption::makeView(data.label, data.textColor, data.required, data.errorColor);

#include "tvkit/text/AttributedString.h"
#include "tvkit/view/TextView.h"

#include <memory>
#include <string_view>

namespace qvtv {

class FieldCaption {
public:
    static tvkit::AttributedString make(std::string_view label, std::string_view textColor, bool required,
                                        std::string_view errorColor);
    static std::shared_ptr<tvkit::TextView> makeView(std::string_view label, std::string_view textColor,
                                                     bool required, std::string_view errorColor);
};

} // namespace qvtv
