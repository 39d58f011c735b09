#include "QVTVConsent/adapters/QVSupportedPackage.h"

#include <gtest/gtest.h>

#include <unordered_set>

#include "platform/ClassRegistry.h"
#include "tools/sdk-fakes/FakeVendorSdks.h"
#include "tools/sdk-fakes/RecordingSdkObject.h"

using qvtv::QVSupportedPackage;

TEST(QVSupportedPackage, LookupIgnoresCaseButEqualityDoesNot) {
    EXPECT_EQ(QVSupportedPackage::fromPackageId("firebaseanalytics"), QVSupportedPackage::firebaseAnalytics());
    EXPECT_EQ(QVSupportedPackage::fromPackageId("TENJINSDK"), QVSupportedPackage::tenjin());
    EXPECT_FALSE(QVSupportedPackage::fromPackageId("Mixpanel").has_value());
    EXPECT_FALSE(QVSupportedPackage::fromPackageId("").has_value());

    auto renamed = QVSupportedPackage::singular();
    renamed.rootClassName = "Other";
    EXPECT_EQ(renamed, QVSupportedPackage::singular());  // the package id alone decides
    auto lower = QVSupportedPackage::singular();
    lower.packageId = "singular";
    EXPECT_NE(lower, QVSupportedPackage::singular());

    std::unordered_set<QVSupportedPackage> set{QVSupportedPackage::singular(), renamed, lower};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_NE(QVSupportedPackage::airbridge().description().find("\"Airbridge\""), std::string::npos);
}

TEST(QVSupportedPackage, TrackingAuthorizationIsNeededOnlyWhenAnAttributionSdkIsLinked) {
    {
        sdkfakes::FakeVendorSdks onlyFirebase({.singular = false, .tenjin = false, .airbridge = false});
        EXPECT_NE(QVSupportedPackage::firebaseAnalytics().packageClass(), nullptr);
        EXPECT_FALSE(QVSupportedPackage::requiresTrackingAuthorization());

        // A bare "Airbridge" class is not the SDK: its class lives in the "Airbridge" module.
        auto journal = std::make_shared<sdkfakes::CallJournal>();
        platform::ClassRegistry::registerClass("Airbridge",
                                               std::make_shared<sdkfakes::RecordingSdkObject>("Airbridge", journal));
        EXPECT_EQ(QVSupportedPackage::airbridge().packageClass(), nullptr);
        EXPECT_FALSE(QVSupportedPackage::requiresTrackingAuthorization());
        platform::ClassRegistry::unregisterClass("Airbridge");
    }
    for (const auto& only : {sdkfakes::FakeVendorSdks::Options{.firebase = false, .tenjin = false, .airbridge = false},
                             sdkfakes::FakeVendorSdks::Options{.firebase = false, .singular = false, .airbridge = false}}) {
        sdkfakes::FakeVendorSdks attribution(only);
        EXPECT_TRUE(QVSupportedPackage::requiresTrackingAuthorization());
    }
    {
        sdkfakes::FakeVendorSdks withAirbridge({.firebase = false, .singular = false, .tenjin = false});
        EXPECT_NE(QVSupportedPackage::airbridge().packageClass(), nullptr);
        EXPECT_TRUE(QVSupportedPackage::requiresTrackingAuthorization());
    }
    EXPECT_FALSE(QVSupportedPackage::requiresTrackingAuthorization());
}
