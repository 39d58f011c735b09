#pragma once
// The data-request tab of the preference center: the form (QVDSARContentView) above Submit and
// Cancel, whose actions go to the screen controller.
//
//   auto tab = std::make_shared<qvtv::QVPreferenceCenterDSARView>(form, QVPreferenceCenterTabType::dataRequest, screen);
//   tab->assemble(true, "#FFFFFF", [](tvkit::View&) {});

#include "QVTVConsent/model/QVDataRequestFormData.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterDSARActionDelegate.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterContentView.h"

namespace qvtv {

class QVPreferenceCenterDSARView
    : public QVPreferenceCenterContentView<QVDataRequestFormData, QVPreferenceCenterDSARActionDelegate> {
public:
    using QVPreferenceCenterContentView::QVPreferenceCenterContentView;
    std::string_view className() const override { return "QVPreferenceCenterDSARView"; }

protected:
    std::shared_ptr<tvkit::View> makeContentView() override;
    std::vector<ButtonAction> makeButtons() override;
};

} // namespace qvtv
