#include "QVTVConsent/ui/datarequest/FieldCaption.h"

#include "QVTVConsent/model/ColorUtils.h"

namespace qvtv {

tvkit::AttributedString FieldCaption::make(std::string_view label, std::string_view textColor, bool required,
                                           std::string_view errorColor) {
    tvkit::TextAttributes caption;
    caption.font = tvkit::Font::system(14, tvkit::Font::semibold);
    caption.color = ColorUtils::fromHex(textColor);
    tvkit::AttributedString text(label, caption);
    if (required) {
        tvkit::TextAttributes marker;
        marker.font = tvkit::Font::system(16);
        marker.color = ColorUtils::fromHex(errorColor);
        text.append(" *", marker);
    }
    return text;
}

std::shared_ptr<tvkit::TextView> FieldCaption::makeView(std::string_view label, std::string_view textColor,
                                                        bool required, std::string_view errorColor) {
    auto view = tvkit::View::make<tvkit::TextView>(make(label, textColor, required, errorColor));
    view->setSelectable(false);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    return view;
}

} // namespace qvtv
