#include "QVTVConsent/ui/preferences/QVPreferenceCenterDSARView.h"

#include "QVTVConsent/ui/datarequest/QVDSARContentView.h"

namespace qvtv {

std::shared_ptr<tvkit::View> QVPreferenceCenterDSARView::makeContentView() {
    return tvkit::View::make<QVDSARContentView>(data());
}

std::vector<QVPreferenceCenterDSARView::ButtonAction> QVPreferenceCenterDSARView::makeButtons() {
    QVPreferenceCenterDSARActionDelegate* screen = delegate();
    return {{data()->submitButton, [screen] { if (screen) screen->onSubmitDSARRequestTap(); }},
            {data()->cancelButton, [screen] { if (screen) screen->onCancelTap(); }}};
}

} // namespace qvtv
