#pragma once
// What the data-request tab's buttons ask of the preference center: send the form, or leave.
//
//   class Screen : public qvtv::QVPreferenceCenterDSARActionDelegate { void onSubmitDSARRequestTap() override; ... };

#include "QVTVConsent/ui/preferences/QVPreferenceCenterActionDelegate.h"

namespace qvtv {

class QVPreferenceCenterDSARActionDelegate : public virtual QVPreferenceCenterActionDelegate {
public:
    virtual void onSubmitDSARRequestTap() = 0;
    virtual void onCancelTap() = 0;
};

} // namespace qvtv
