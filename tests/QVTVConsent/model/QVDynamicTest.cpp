#include "QVTVConsent/model/QVDynamic.h"

#include <gtest/gtest.h>

#include <fstream>

#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/model/QVPackage.h"

using nlohmann::json;
using namespace qvtv;

namespace {

json category(const std::string& type) {
    return {{"MobileComplianceCategory", type},
            {"ConsentGiven", "All"},
            {"MobilePackageConsents", {{{"PackageName", "A"}, {"PackageId", "a"}, {"IsEnabled", true}}}}};
}

std::shared_ptr<QVDynamic> parse(const json& value) {
    auto result = QVDynamic::fromJson(value);
    EXPECT_TRUE(result.ok());
    return result.ok() ? *result : nullptr;
}

} // namespace

TEST(QVDynamic, ReadsScalarsTolerantly) {
    auto doc = parse({{"location", " DE \n"}, {"autoClientId", 12}, {"isConsentRecordingAllowed", "True"}});
    EXPECT_EQ(doc->locale(), "DE");
    EXPECT_EQ(doc->clientId(), "");
    EXPECT_TRUE(doc->isConsentRecordingAllowed());
    EXPECT_TRUE(doc->subConsents().empty());
    EXPECT_FALSE(QVDynamic::fromJson(json::array()).ok());
    EXPECT_FALSE(QVDynamic::fromJson(json(nullptr)).ok());
}

TEST(QVDynamic, CategoryListFallsBackToSubConsentsAndSwallowsBadElements) {
    json doc = {{"location", "US"}, {"MobilePackageConsents", {category("Essential"), category("site_analytics")}}};
    ASSERT_EQ(parse(doc)->subConsents().size(), 2u);

    doc["subConsents"] = {category("Advertising")};
    doc["MobilePackageConsents"] = nullptr;
    ASSERT_EQ(parse(doc)->subConsents().size(), 1u);
    EXPECT_EQ(parse(doc)->subConsents()[0]->category(), QVCategoryType::advertising);

    doc["MobilePackageConsents"] = "not a list";
    EXPECT_EQ(parse(doc)->subConsents().size(), 1u);

    doc.erase("subConsents");
    EXPECT_TRUE(parse(doc)->subConsents().empty());

    // One category with an unknown compliance category loses the whole list, not the document.
    doc["MobilePackageConsents"] = {category("Essential"), category("analytics")};
    auto swallowed = parse(doc);
    EXPECT_TRUE(swallowed->subConsents().empty());
    EXPECT_EQ(swallowed->locale(), "US");

    doc["MobilePackageConsents"] = {category("Essential"), nullptr};
    EXPECT_TRUE(parse(doc)->subConsents().empty());
}

TEST(QVDynamic, RoundTripsThroughItsJsonText) {
    std::ifstream in(QVTV_FIXTURES_DIR "/demo-tv-app/consent.json");
    ASSERT_TRUE(in.good());
    auto original = parse(json::parse(in));
    ASSERT_FALSE(original->subConsents().empty());

    auto text = JsonUtils::jsonString(original->toJson(), "QVDynamic");
    ASSERT_TRUE(text.ok());
    auto back = parse(json::parse(*text));
    EXPECT_EQ(back->toJson(), original->toJson());
    EXPECT_EQ(json::parse(*text).begin().key(), "MobilePackageConsents");
}

TEST(QVDynamic, WritesTheSameTextAsItsJsonValue) {
    auto doc = parse({{"location", "DE"},
                      {"autoClientId", "id \"quoted\"\n"},
                      {"MobilePackageConsents",
                       {category("Essential"),
                        {{"MobileComplianceCategory", "Advertising"}, {"ConsentGiven", "None"}},
                        {{"MobileComplianceCategory", "Analytics"},
                         {"ConsentGiven", "Partial"},
                         {"MobilePackageConsents",
                          {{{"PackageName", "caf\u00e9 \u20ac"}, {"PackageId", "b"}, {"IsEnabled", "no"}},
                           {{"Name", "C"}, {"PackageId", "c"}, {"IsEnabled", 1}}}}}}}});
    // A template package in the list writes its extra keys too.
    auto templatePackage = QVPackage::fromJson({{"Category", "Analytics"}, {"PackageName", "T"}, {"Service", "S"}});
    ASSERT_TRUE(templatePackage.ok());
    auto packages = doc->subConsents()[2]->subConsents();
    packages.push_back(*templatePackage);
    doc->subConsents()[2]->setSubConsents(packages);

    auto streamed = JsonUtils::jsonString(*doc, "QVDynamic");
    ASSERT_TRUE(streamed.ok());
    EXPECT_EQ(*streamed, *JsonUtils::jsonString(doc->toJson(), "QVDynamic"));
    EXPECT_EQ(json::parse(*streamed)["MobilePackageConsents"][2]["MobilePackageConsents"][2]["Service"], "S");

    auto broken = parse({{"location", "DE"}, {"autoClientId", std::string("\xff")}});
    auto refused = JsonUtils::jsonString(*broken, "QVDynamic");
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().domain.rfind("Invalid JSON (", 0), 0u);
}
