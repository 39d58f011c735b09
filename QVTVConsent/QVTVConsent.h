#pragma once
// Everything a host application includes to use the consent library: the result envelopes, the
// logger and build constants, the consent vocabulary and the consent records.
//
//   #include "QVTVConsent/QVTVConsent.h"
//   qvtv::QVLogger::INFO_LOGS_ENABLED = true;

#include "QVTVConsent/engine/Config.h"
#include "QVTVConsent/engine/QVDataMessage.h"
#include "QVTVConsent/engine/QVLogger.h"
#include "QVTVConsent/engine/QVMessage.h"
#include "QVTVConsent/model/DataFactoryError.h"
#include "QVTVConsent/model/QVBlockingMode.h"
#include "QVTVConsent/model/QVButtonType.h"
#include "QVTVConsent/model/QVCategoryType.h"
#include "QVTVConsent/model/QVConsentGiven.h"
#include "QVTVConsent/model/QVConsentRecollectionReason.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVConsentType.h"
#include "QVTVConsent/model/QVCornerType.h"
#include "QVTVConsent/model/QVDataRequestField.h"
#include "QVTVConsent/model/QVDataRequestType.h"
#include "QVTVConsent/model/QVError.h"
#include "QVTVConsent/model/QVFillType.h"
#include "QVTVConsent/model/QVGCMConsentSignal.h"
#include "QVTVConsent/model/QVGCMConsentSignalStatus.h"
#include "QVTVConsent/model/QVPreferenceCenterTabType.h"
#include "QVTVConsent/model/QVUserConsentActionType.h"
#include "QVTVConsent/model/Result.h"
