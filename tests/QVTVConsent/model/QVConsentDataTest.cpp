#include "QVTVConsent/model/QVConsentData.h"

#include <gtest/gtest.h>

using nlohmann::json;
using namespace qvtv;

namespace {

json package(const std::string& id, bool enabled) {
    return {{"PackageName", id}, {"PackageId", id}, {"IsEnabled", enabled}};
}

std::vector<std::shared_ptr<QVPackageConsent>> packages(std::initializer_list<bool> flags) {
    std::vector<std::shared_ptr<QVPackageConsent>> list;
    for (bool flag : flags) {
        list.push_back(std::make_shared<QVPackageConsent>("P" + std::to_string(list.size()), "p", flag));
    }
    return list;
}

std::string consentGivenOf(QVCategoryType type, std::initializer_list<bool> flags, bool isRejectAll) {
    return QVConsentData::saveJson(type, packages(flags), isRejectAll)["ConsentGiven"];
}

} // namespace

TEST(QVConsentData, ReadsCategoryByRawValueOrServiceKeyAndFailsOtherwise) {
    auto byKey = QVConsentData::fromJson({{"MobileComplianceCategory", " SITE_ANALYTICS "}, {"ConsentGiven", "Partial"}});
    ASSERT_TRUE(byKey.ok());
    EXPECT_EQ((*byKey)->category(), QVCategoryType::analytics);
    EXPECT_EQ((*byKey)->consentGiven(), QVConsentGiven::partial);
    EXPECT_TRUE((*byKey)->subConsents().empty());

    for (const json& bad : {json{{"MobileComplianceCategory", "analytics"}}, json{{"MobileComplianceCategory", 3}},
                            json::object(), json::array()}) {
        auto result = QVConsentData::fromJson(bad);
        ASSERT_FALSE(result.ok()) << bad.dump();
        EXPECT_EQ(result.error().domain, "Invalid JSON (" + bad.dump() + ")");
    }
}

TEST(QVConsentData, UnknownConsentGivenReadsAsNone) {
    for (const json& given : {json("all"), json(""), json(nullptr), json(1), json("ALL")}) {
        auto result = QVConsentData::fromJson({{"MobileComplianceCategory", "Essential"}, {"ConsentGiven", given}});
        ASSERT_TRUE(result.ok());
        EXPECT_EQ((*result)->consentGiven(), QVConsentGiven::none) << given.dump();
    }
}

TEST(QVConsentData, OneBadPackageEmptiesThePackageListButKeepsTheRecord) {
    json category = {{"MobileComplianceCategory", "Advertising"},
                     {"ConsentGiven", "All"},
                     {"MobilePackageConsents", {package("a", true), package("b", false)}}};
    auto good = QVConsentData::fromJson(category);
    ASSERT_TRUE(good.ok());
    ASSERT_EQ((*good)->subConsents().size(), 2u);
    EXPECT_EQ((*good)->subConsents()[1]->packageId(), "b");

    category["MobilePackageConsents"].push_back(nullptr);
    auto swallowed = QVConsentData::fromJson(category);
    ASSERT_TRUE(swallowed.ok());
    EXPECT_TRUE((*swallowed)->subConsents().empty());
    EXPECT_EQ((*swallowed)->consentGiven(), QVConsentGiven::all);

    category["MobilePackageConsents"] = {{"PackageId", "x"}};  // an object, not a list
    EXPECT_TRUE((*QVConsentData::fromJson(category))->subConsents().empty());
}

TEST(QVConsentData, SaveRulesForConsentGiven) {
    EXPECT_EQ(consentGivenOf(QVCategoryType::analytics, {true, true}, false), "All");
    EXPECT_EQ(consentGivenOf(QVCategoryType::analytics, {true, false}, false), "Partial");
    EXPECT_EQ(consentGivenOf(QVCategoryType::analytics, {false, false}, false), "None");
    EXPECT_EQ(consentGivenOf(QVCategoryType::analytics, {}, false), "All");
    EXPECT_EQ(consentGivenOf(QVCategoryType::analytics, {}, true), "None");
    EXPECT_EQ(consentGivenOf(QVCategoryType::advertising, {true, true}, true), "None");
    EXPECT_EQ(consentGivenOf(QVCategoryType::essential, {false}, true), "All");
    EXPECT_EQ(consentGivenOf(QVCategoryType::essential, {}, true), "All");
}

TEST(QVConsentData, SaveObjectsCarryExactlyTheirKeysAndForcedFlags) {
    auto list = packages({true, false});
    json analytics = QVConsentData::saveJson(QVCategoryType::analytics, list, false);
    EXPECT_EQ(analytics, (json{{"MobileComplianceCategory", "Analytics"},
                               {"ConsentGiven", "Partial"},
                               {"MobilePackageConsents",
                                {{{"PackageName", "P0"}, {"PackageId", "p"}, {"IsEnabled", true}},
                                 {{"PackageName", "P1"}, {"PackageId", "p"}, {"IsEnabled", false}}}}}));
    json essential = QVConsentData::saveJson(QVCategoryType::essential, list, true);
    EXPECT_EQ(essential["MobilePackageConsents"][1]["IsEnabled"], true);
    json rejected = QVConsentData::saveJson(QVCategoryType::socialMedia, list, true);
    EXPECT_EQ(rejected["MobilePackageConsents"][0]["IsEnabled"], false);
    // The viewer's own flags are untouched by building a save.
    EXPECT_TRUE(list[0]->isEnabled());

    auto record = QVConsentData::fromSave(QVCategoryType::socialMedia, list, true);
    ASSERT_TRUE(record.ok());
    EXPECT_EQ((*record)->consentGiven(), QVConsentGiven::none);
    EXPECT_FALSE((*record)->subConsents()[0]->isEnabled());
    EXPECT_EQ((*record)->toJson()["MobileComplianceCategory"], "SocialMedia");
}
