#pragma once
// Turns a template button description into the focusable button the screens show: caption,
// colours, font, corners and the filled or stroked style. The screens add the action and the
// size themselves.
//
//   auto save = qvtv::UIViewUtils::makeButton(settings.saveButton);
//   save->heightAnchor().equalToConstant(60)->setActive(true);

#include "QVTVConsent/model/QVButtonData.h"
#include "QVTVConsent/ui/controls/QVTVFocusButton.h"

#include <memory>

namespace qvtv {

class UIViewUtils {
public:
    static std::shared_ptr<QVTVFocusButton> makeButton(const QVButtonData& data);

    UIViewUtils() = delete;
};

} // namespace qvtv
