#pragma once
// What the settings tab's buttons ask of the screen controller: save the switches as they are,
// decline every non-essential category, or leave without saving.
//
//   settingsView->delegate()->onSaveConsentTap();

#include "QVTVConsent/ui/preferences/QVPreferenceCenterActionDelegate.h"

namespace qvtv {

class QVPreferenceCenterSettingsActionDelegate : public virtual QVPreferenceCenterActionDelegate {
public:
    virtual void onSaveConsentTap() = 0;
    virtual void onDeclineTap() = 0;
    virtual void onCancelTap() = 0;
};

} // namespace qvtv
