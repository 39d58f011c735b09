#pragma once
// Everything a host application includes to use the consent library: the front door and the engine
// it hands out, the key with the configurations of the SDKs the library drives, the consent events
// a host listens to, the result envelopes and the consent records. Answers and events arrive on the
// main queue, which the host's run loop drains (platform/RunLoop.h).
//
//   #include "QVTVConsent/QVTVConsent.h"
//   qvtv::QVAuthKey key("demo-tv-app", std::nullopt, {std::make_shared<qvtv::QVSingularConfig>("api-key", "secret")});
//   qvtv::QVConsentEngineFactory::initialise(key, [](const auto& result) {
//       if (result.data()) (*result.data())->getConsentStatus("demo-tv-app");
//   });

#include "QVTVConsent/adapters/QVAirbridgeConfig.h"
#include "QVTVConsent/adapters/QVIntegrationConfig.h"
#include "QVTVConsent/adapters/QVSingularConfig.h"
#include "QVTVConsent/adapters/QVTenjinConfig.h"
#include "QVTVConsent/core/Config.h"
#include "QVTVConsent/core/QVAuthKey.h"
#include "QVTVConsent/events/QVConsentEvent.h"
#include "QVTVConsent/events/QVConsentEventDelegate.h"
#include "QVTVConsent/engine/QVConsentEngine.h"
#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/core/QVDataMessage.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/data/DataFactoryError.h"
#include "QVTVConsent/model/GoogleConsentData.h"
#include "QVTVConsent/core/JsonSerialisable.h"
#include "QVTVConsent/model/QVAppliedGCMData.h"
#include "QVTVConsent/core/QVBlockingMode.h"
#include "QVTVConsent/model/QVButtonType.h"
#include "QVTVConsent/model/QVCategoryType.h"
#include "QVTVConsent/model/QVConsentData.h"
#include "QVTVConsent/model/QVConsentGiven.h"
#include "QVTVConsent/model/QVConsentModeConfigData.h"
#include "QVTVConsent/model/QVConsentRecollectionReason.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVConsentType.h"
#include "QVTVConsent/model/QVConsentSignalConfig.h"
#include "QVTVConsent/model/QVCornerType.h"
#include "QVTVConsent/model/QVDataRequestField.h"
#include "QVTVConsent/model/QVDataRequestType.h"
#include "QVTVConsent/model/QVDynamic.h"
#include "QVTVConsent/core/QVError.h"
#include "QVTVConsent/model/QVFillType.h"
#include "QVTVConsent/model/QVGCMConsentSignal.h"
#include "QVTVConsent/model/QVGCMConsentSignalStatus.h"
#include "QVTVConsent/model/QVPackageConsent.h"
#include "QVTVConsent/model/QVPackageIdentifier.h"
#include "QVTVConsent/model/QVPreferenceCenterTabType.h"
#include "QVTVConsent/model/QVUserConsentActionType.h"
#include "QVTVConsent/core/Result.h"
