#pragma once
// The templates of one application id as the repository holds them after a successful load.
// The template objects are shared with the screens, which flip consent flags on them in place.
//
//   if (auto container = repository.containerFor(appId); container && container->qvConsentBannerData)
//       present(container->qvConsentBannerData);

#include <memory>
#include <string>

#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVPreferenceCenterData.h"

namespace qvtv {

struct QVResponseContainer {
    std::string applicationId;
    std::shared_ptr<QVConsentBannerData> qvConsentBannerData;
    std::shared_ptr<QVPreferenceCenterData> qvPreferenceCenterData;
};

} // namespace qvtv
