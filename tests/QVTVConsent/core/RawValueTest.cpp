#include "QVTVConsent/core/RawValue.h"

#include <gtest/gtest.h>

#include "QVTVConsent/core/QVBlockingMode.h"
#include "QVTVConsent/model/QVButtonType.h"
#include "QVTVConsent/model/QVCategoryType.h"
#include "QVTVConsent/model/QVConsentGiven.h"
#include "QVTVConsent/model/QVConsentRecollectionReason.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVConsentType.h"
#include "QVTVConsent/model/QVCornerType.h"
#include "QVTVConsent/model/QVDataRequestField.h"
#include "QVTVConsent/model/QVDataRequestType.h"
#include "QVTVConsent/model/QVFillType.h"
#include "QVTVConsent/model/QVGCMConsentSignal.h"
#include "QVTVConsent/model/QVGCMConsentSignalStatus.h"
#include "QVTVConsent/model/QVUserConsentActionType.h"

using namespace qvtv;

namespace {

// Every case's raw value must read back as that case, and the texts must be the expected ones.
template <class E>
std::vector<std::string> rawValuesRoundTrip() {
    std::vector<std::string> raws;
    for (E c : allCases<E>()) {
        EXPECT_EQ(fromRawValue<E>(rawValue(c)), c);
        raws.emplace_back(rawValue(c));
    }
    return raws;
}

using Raws = std::vector<std::string>;

} // namespace

TEST(RawValue, EveryEnumerationHasItsExactRawStringsInOrder) {
    EXPECT_EQ(rawValuesRoundTrip<QVConsentStatus>(), (Raws{"Pending", "Collected", "RecollectionRequired"}));
    EXPECT_EQ(rawValuesRoundTrip<QVConsentRecollectionReason>(), (Raws{"expired", "structure_changed"}));
    EXPECT_EQ(rawValuesRoundTrip<QVConsentType>(), (Raws{"Explicit", "Implicit"}));
    EXPECT_EQ(rawValuesRoundTrip<QVUserConsentActionType>(), (Raws{"Accept", "Reject", "Customize"}));
    EXPECT_EQ(rawValuesRoundTrip<QVConsentGiven>(), (Raws{"All", "Partial", "None"}));
    EXPECT_EQ(rawValuesRoundTrip<QVBlockingMode>(), (Raws{"Auto", "Manual"}));
    EXPECT_EQ(rawValuesRoundTrip<QVGCMConsentSignal>(),
              (Raws{"ad_storage", "analytics_storage", "ad_user_data", "ad_personalization"}));
    EXPECT_EQ(rawValuesRoundTrip<QVGCMConsentSignalStatus>(), (Raws{"granted", "denied"}));
    EXPECT_EQ(rawValuesRoundTrip<QVCornerType>(), (Raws{"Sharp", "Smooth"}));
    EXPECT_EQ(rawValuesRoundTrip<QVFillType>(), (Raws{"Fill", "Stroke"}));
    EXPECT_EQ(rawValuesRoundTrip<QVButtonType>(), (Raws{"None", "Button"}));
    EXPECT_EQ(rawValuesRoundTrip<QVDataRequestType>(), (Raws{"Export", "Deletion", "Other"}));
    EXPECT_EQ(rawValuesRoundTrip<QVCategoryType>(), (Raws{"Essential", "SocialMedia", "Advertising", "Analytics",
                                                          "CustomerInteraction", "AudioVideoPlayer", "Unclassified"}));
    EXPECT_EQ(rawValuesRoundTrip<QVDataRequestField>(), (Raws{"Name", "Email", "Address", "Phone", "Message", "Type"}));
}

TEST(RawValue, ParsingIsExactAndCaseSensitive) {
    EXPECT_EQ(fromRawValue<QVConsentType>("implicit"), std::nullopt);
    EXPECT_EQ(fromRawValue<QVConsentType>("Implicit"), QVConsentType::implict);
    EXPECT_EQ(fromRawValue<QVFillType>("stroke"), std::nullopt);
    EXPECT_EQ(fromRawValue<QVButtonType>(""), std::nullopt);
    EXPECT_EQ(fromRawValue<QVConsentGiven>("all"), std::nullopt);
    EXPECT_EQ(fromRawValue<QVConsentStatus>(" Pending"), std::nullopt);
    EXPECT_EQ(fromRawValue<QVConsentRecollectionReason>("StructureChanged"), std::nullopt);
    EXPECT_EQ(fromRawValue<QVConsentRecollectionReason>("structure_changed"), QVConsentRecollectionReason::structureChanged);
    EXPECT_EQ(fromRawValue<QVGCMConsentSignalStatus>("Granted"), std::nullopt);
}

TEST(RawValue, CornerTypeFromTemplateAcceptsRoundAsSmooth) {
    EXPECT_EQ(cornerTypeFromTemplate("Round"), QVCornerType::smooth);
    EXPECT_EQ(cornerTypeFromTemplate("Smooth"), QVCornerType::smooth);
    EXPECT_EQ(cornerTypeFromTemplate("Sharp"), QVCornerType::sharp);
    EXPECT_EQ(cornerTypeFromTemplate("sharp"), std::nullopt);
    EXPECT_EQ(cornerTypeFromTemplate("round"), std::nullopt);
}

TEST(RawValue, CategoryLookupTriesRawValueThenServiceKeyInAnyCase) {
    EXPECT_EQ(categoryTypeFromText("Analytics"), QVCategoryType::analytics);
    EXPECT_EQ(categoryTypeFromText("site_analytics"), QVCategoryType::analytics);
    EXPECT_EQ(categoryTypeFromText("SITE_ANALYTICS"), QVCategoryType::analytics);
    EXPECT_EQ(categoryTypeFromText("analytics"), std::nullopt);
    EXPECT_EQ(categoryTypeFromText("Social_Media"), QVCategoryType::socialMedia);
    EXPECT_EQ(categoryTypeFromText("essential"), QVCategoryType::essential);
    EXPECT_EQ(categoryTypeFromText("AUDIO_VIDEO_PLAYER"), QVCategoryType::audioVideoPlayer);
    EXPECT_EQ(categoryTypeFromText(" essential"), std::nullopt);
    EXPECT_EQ(categoryTypeFromText(""), std::nullopt);
    EXPECT_EQ(serviceKey(QVCategoryType::customerInteraction), "customer_interaction");
}
