#pragma once
// The Google Consent Mode signals handed to the analytics SDK: each signal the consent decided,
// with its value. A signal that is missing counts as denied when consent is applied.
//
//   qvtv::QVGCMSignalMap signals{{qvtv::QVGCMConsentSignal::analyticsStorage, qvtv::QVGCMConsentSignalStatus::granted}};

#include <map>

#include "QVTVConsent/model/QVGCMConsentSignal.h"
#include "QVTVConsent/model/QVGCMConsentSignalStatus.h"

namespace qvtv {

using QVGCMSignalMap = std::map<QVGCMConsentSignal, QVGCMConsentSignalStatus>;

} // namespace qvtv
