#pragma once
// What a policy page's only button asks of the screen controller: leave without saving.
//
//   pageView->delegate()->onCancelTap();

#include "QVTVConsent/ui/preferences/QVPreferenceCenterActionDelegate.h"

namespace qvtv {

class QVPreferenceCenterHTMLContentViewDelegate : public virtual QVPreferenceCenterActionDelegate {
public:
    virtual void onCancelTap() = 0;
};

} // namespace qvtv
