#include "QVTVConsent/ui/controls/UIViewUtils.h"

#include "QVTVConsent/model/ColorUtils.h"

namespace qvtv {

std::shared_ptr<QVTVFocusButton> UIViewUtils::makeButton(const QVButtonData& data) {
    auto button = tvkit::View::make<QVTVFocusButton>();
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    button->setTitle(data.label, tvkit::normal);
    button->setTitleColor(ColorUtils::fromHex(data.textColor), tvkit::normal);
    button->titleLabel()->setFont(tvkit::Font::system(20, tvkit::Font::bold));
    button->titleLabel()->setNumberOfLines(0);
    if (data.corners == QVCornerType::smooth) button->layer().setCornerRadius(8);
    if (data.fillType == QVFillType::stroke) {
        button->layer().setBorderWidth(0.8);
        button->setFocusedBorderWidth(1.1);
        button->setUnfocusedBorderWidth(0.8);
        button->layer().setBorderColor(ColorUtils::fromHex(data.backgroundColor));
        button->setBackgroundColor(tvkit::Color::clear());
    } else {
        button->setBackgroundColor(ColorUtils::fromHex(data.backgroundColor));
    }
    button->setClipsToBounds(false);
    button->layer().setMasksToBounds(false);
    button->prepareDefaultShadow();
    return button;
}

} // namespace qvtv
