#include "QVTVConsent/model/QVConsentBannerData.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "TemplateFixtures.h"
#include "support/LogCapture.h"

using namespace qvtv;
using nlohmann::json;
using templatetest::fixture;

namespace {

std::vector<std::string> names(const std::vector<std::shared_ptr<QVCategory>>& categories) {
    std::vector<std::string> out;
    for (const auto& c : categories) out.push_back(c->name);
    return out;
}

std::vector<std::string> packageNames(const QVCategory& category) {
    std::vector<std::string> out;
    for (const auto& p : category.packages) out.push_back(p->packageName());
    return out;
}

std::shared_ptr<QVConsentBannerData> parse(const json& root) {
    auto banner = QVConsentBannerData::fromJson(root);
    EXPECT_TRUE(banner.ok()) << banner.error().domain;
    return banner.ok() ? *banner : nullptr;
}

json bannerWith(json categories, json pool) {
    return {{"template", {{"Translation", json::object()}, {"Settings", json::object()},
                          {"TemplateTranslation", {{"CategoryTranslations", std::move(categories)}}}}},
            {"packages", std::move(pool)}};
}

json poolPackage(const std::string& category, const std::string& name, const std::string& id) {
    return {{"Category", category}, {"PackageName", name}, {"PackageId", id}};
}

} // namespace

TEST(QVConsentBannerData, ReadsTheDemoTemplate) {
    auto banner = parse(fixture("demo-tv-app/banner.json"));
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->saveButton.backgroundColor, banner->acceptButton.backgroundColor);
    EXPECT_EQ(banner->doNotStoreConsent, false);  // the text "false"

    // The player category has no packages and is dropped; the rest are sorted by name.
    EXPECT_EQ(names(banner->categories),
              (std::vector<std::string>{"Advertising", "Analytics", "Essential", "Social media"}));
    // Pool packages sort by code point: the small-letter name comes after every capital.
    EXPECT_EQ(packageNames(*banner->categories[1]),
              (std::vector<std::string>{"Crash Insights", "Firebase Analytics", "Layout Experiments",
                                        "Playback Quality Metrics", "iQ Audience Panel"}));
    // Own packages keep template order.
    EXPECT_EQ(packageNames(*banner->categories[2]),
              (std::vector<std::string>{"Consent Storage", "Playback Session", "Parental Controls"}));
    EXPECT_EQ(banner->categories[0]->packages[4]->category, QVCategoryType::advertising);

    ASSERT_TRUE(banner->gcmConfig);
    ASSERT_EQ(banner->gcmConfig->gcm.size(), 2u);
    EXPECT_EQ(banner->gcmConfig->gcm[1].regions, std::vector<std::string>{"all"});
}

TEST(QVConsentBannerData, RefusesOnlyTemplatesWithoutTheirBasicObjects) {
    for (const char* file : {"malformed/banner-root-array.json", "malformed/banner-empty-root.json",
                             "malformed/banner-empty-template.json", "malformed/banner-settings-not-object.json",
                             "malformed/banner-no-translation.json", "malformed/no-templates.json",
                             "malformed/response-status-error.json"}) {
        auto banner = QVConsentBannerData::fromJson(fixture(file));
        ASSERT_FALSE(banner.ok()) << file;
        EXPECT_EQ(banner.error().code, 500) << file;
        EXPECT_EQ(banner.error().domain.rfind("Invalid JSON (", 0), 0u) << file;
    }
    EXPECT_EQ(QVConsentBannerData::fromJson(json()).error().domain, "Invalid JSON (null)");
    EXPECT_EQ(QVConsentBannerData::fromJson(json{{"template", "x"}}).error().domain, "Invalid JSON (x)");
    EXPECT_EQ(QVConsentBannerData::fromJson(json{{"template", {{"Settings", json::object()}}}}).error().domain,
              "Invalid JSON (nil)");

    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logsOn({.info = true, .warning = true, .error = true});
    EXPECT_FALSE(QVConsentBannerData::fromJson(json::array()).ok());
    EXPECT_TRUE(log.contains("[ERROR] QVConsentBannerData: parse([])"));
}

TEST(QVConsentBannerData, FallsBackFieldByField) {
    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logsOn({.info = true, .warning = true, .error = true});
    auto minimal = parse(fixture("demo-tv-minimal/banner.json"));
    ASSERT_TRUE(minimal);
    EXPECT_EQ(minimal->acceptButton.label, "OK");
    EXPECT_EQ(minimal->saveButton.secondaryLabel, "");
    EXPECT_EQ(minimal->acceptButton.fillType, QVFillType::fill);
    EXPECT_EQ(minimal->saveButton.fillType, QVFillType::fill);
    EXPECT_EQ(minimal->declineButton.fillType, QVFillType::fill);
    EXPECT_EQ(minimal->customizeButton.fillType, QVFillType::stroke);
    EXPECT_EQ(minimal->customizeButton.buttonType, QVButtonType::button);
    EXPECT_EQ(minimal->consentType, QVConsentType::explicit_);
    EXPECT_FALSE(minimal->dataRetentionPeriodInMonths);
    EXPECT_FALSE(minimal->doNotStoreConsent);
    EXPECT_TRUE(minimal->categories.empty());
    EXPECT_FALSE(minimal->gcm);
    EXPECT_FALSE(minimal->gcmConfig);
    EXPECT_TRUE(log.contains("[INFO] QVConsentBannerData: init()=> GCMSettings not found!"));

    // Every value of the wrong kind falls back on its own.
    auto wrong = parse(fixture("malformed/banner-wrong-kinds.json"));
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->logoUrl, "");
    EXPECT_EQ(wrong->acceptButton.fillType, QVFillType::fill);       // "stroke" is not "Stroke"
    EXPECT_EQ(wrong->acceptButton.corners, QVCornerType::smooth);    // "sharp" is not "Sharp"
    EXPECT_EQ(wrong->acceptButton.buttonType, QVButtonType::button); // "none" is not "None"
    EXPECT_FALSE(wrong->removeBranding);
    EXPECT_EQ(wrong->consentType, QVConsentType::explicit_);         // "implicit"
    EXPECT_FALSE(wrong->dataRetentionPeriodInMonths);                // "12 months"
    EXPECT_FALSE(wrong->doNotStoreConsent);                          // "yes" is no optional Boolean
    EXPECT_FALSE(wrong->advancedBanner);                             // 1
    EXPECT_TRUE(wrong->categories.empty());
    EXPECT_TRUE(wrong->gcm);                                         // "TRUE"
    EXPECT_FALSE(wrong->gcmConfig);

    auto advanced = parse(fixture("demo-tv-advanced/banner.json"));
    ASSERT_TRUE(advanced);
    EXPECT_EQ(advanced->saveButton.corners, QVCornerType::sharp);
    EXPECT_EQ(advanced->customizeButton.fillType, QVFillType::fill);
    EXPECT_TRUE(advanced->gcmConfig);  // read even when switched off
    EXPECT_EQ(parse(fixture("demo-tv-app-kids/banner.json"))->dataRetentionPeriodInMonths, 6);  // the text "6"
}

TEST(QVConsentBannerData, FillsAndSortsCategories) {
    const json pool = json::array({
        poolPackage("advertising", "beta", "b1"),
        poolPackage("Advertising", "Beta", "B"),
        poolPackage("ADVERTISING", "beta", "b2"),
        poolPackage("Analytics", "Zed", "z"),
        poolPackage("Analytics", "\xC3\x84rger", "umlaut"),  // U+00C4 sorts after every ASCII letter
        poolPackage("site_analytics", "alpha", "a"),
    });
    const json categories = json::array({
        {{"CategoryType", "advertising"}, {"CategoryName", "b"}},
        {{"CategoryType", "Advertising"}, {"CategoryName", "A"}},
        {{"CategoryType", "social_media"}, {"CategoryName", "Empty"}},
        {{"CategoryType", "Analytics"}, {"CategoryName", "B"}},
        {{"CategoryType", "Essential"},
         {"CategoryName", "A"},
         {"Packages", json::array({poolPackage("Essential", "zz", "own1"), poolPackage("Essential", "aa", "own2")})}},
    });
    auto banner = parse(bannerWith(categories, pool));
    ASSERT_TRUE(banner);
    // "A" (advertising) before "A" (essential) keeps template order; capitals before small letters.
    ASSERT_EQ(names(banner->categories), (std::vector<std::string>{"A", "A", "B", "b"}));
    EXPECT_EQ(banner->categories[0]->type, QVCategoryType::advertising);
    EXPECT_EQ(banner->categories[1]->type, QVCategoryType::essential);

    const auto& ads = *banner->categories[0];
    EXPECT_EQ(packageNames(ads), (std::vector<std::string>{"Beta", "beta", "beta"}));
    EXPECT_EQ(ads.packages[1]->packageId(), "b1");  // equal names keep pool order
    EXPECT_EQ(ads.packages[2]->packageId(), "b2");
    EXPECT_EQ(packageNames(*banner->categories[2]), (std::vector<std::string>{"Zed", "alpha", "\xC3\x84rger"}));
    EXPECT_EQ(packageNames(*banner->categories[1]), (std::vector<std::string>{"zz", "aa"}));

    // Two categories of one type hold the same pool objects: switching one shows in the other.
    const auto& adsAgain = *banner->categories[3];
    ASSERT_EQ(adsAgain.packages.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(adsAgain.packages[i].get(), ads.packages[i].get());
    adsAgain.packages[0]->setEnabled(true);
    EXPECT_TRUE(ads.packages[0]->isEnabled());
}

TEST(QVConsentBannerData, OneBadEntryEmptiesItsWholeList) {
    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logsOn({.info = true, .warning = true, .error = true});
    auto badCategory = parse(fixture("malformed/banner-bad-category-type.json"));
    ASSERT_TRUE(badCategory);
    EXPECT_TRUE(badCategory->categories.empty());
    EXPECT_TRUE(log.contains("[ERROR] QVCategory: Invalid CategoryType"));

    // The pool is lost, so only the category with packages of its own is left.
    auto badPool = parse(fixture("malformed/banner-bad-pool-package.json"));
    ASSERT_TRUE(badPool);
    EXPECT_EQ(names(badPool->categories), std::vector<std::string>{"Essential"});

    // A bad package inside a category fails that category, and so the list.
    auto badOwn = parse(bannerWith(
        json::array({{{"CategoryType", "Essential"}, {"CategoryName", "E"}, {"Packages", json::array({"x"})}},
                     {{"CategoryType", "Analytics"}, {"CategoryName", "A"}}}),
        json::array({poolPackage("Analytics", "a", "a")})));
    ASSERT_TRUE(badOwn);
    EXPECT_TRUE(badOwn->categories.empty());
}

TEST(QVConsentBannerData, ReadsGoogleConsentModeSettings) {
    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logsOn({.info = true, .warning = true, .error = true});
    auto banner = parse(fixture("malformed/banner-gcm-mixed.json"));
    ASSERT_TRUE(banner);
    EXPECT_TRUE(log.contains("[ERROR] QVConsentBannerData: parseGCMConfig(ad_storage=granted)"));
    EXPECT_TRUE(log.contains("[ERROR] QVConsentBannerData: parseGCMConfig(17)"));
    EXPECT_TRUE(log.contains("[ERROR] QVConsentBannerData: parseGCMConfig(null)"));
    ASSERT_TRUE(banner->gcmConfig);
    ASSERT_EQ(banner->gcmConfig->gcm.size(), 2u);

    const auto& first = banner->gcmConfig->gcm[0];
    EXPECT_EQ(first.regions, (std::vector<std::string>{"DK", "se", "NO"}));
    ASSERT_EQ(first.configs.size(), 4u);
    const std::vector<QVGCMConsentSignal> order{QVGCMConsentSignal::adPersonalization, QVGCMConsentSignal::adUserData,
                                                QVGCMConsentSignal::analyticsStorage, QVGCMConsentSignal::adStorage};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(first.configs[i].signal, order[i]);
    EXPECT_EQ(first.configs[0].status, QVGCMConsentSignalStatus::granted);  // " Granted "
    EXPECT_FALSE(first.configs[1].status);                                  // "yes"
    EXPECT_FALSE(first.configs[2].status);                                  // 1
    EXPECT_FALSE(first.configs[3].status);

    const auto& second = banner->gcmConfig->gcm[1];
    EXPECT_EQ(second.regions, std::vector<std::string>{"all"});  // "ALL"
    for (const auto& config : second.configs) EXPECT_FALSE(config.status);

    // "Advertising" drives both advertising signals; missing "Regions" gives no regions.
    auto one = parse({{"template", {{"Translation", json::object()}, {"Settings", json::object()}}},
                      {"GCMSettings", json::array({{{"Advertising", "DENIED"}, {"Regions", " ,  , US"}}})}});
    ASSERT_TRUE(one && one->gcmConfig);
    const auto& ads = one->gcmConfig->gcm[0];
    EXPECT_EQ(ads.configs[1].status, QVGCMConsentSignalStatus::denied);
    EXPECT_EQ(ads.configs[3].status, QVGCMConsentSignalStatus::denied);
    EXPECT_EQ(ads.regions, std::vector<std::string>{"US"});
}

// An empty secondary label is not an absent one, for equality and for the hand-written hash.
TEST(QVButtonData, EmptyAndAbsentSecondaryLabelsDiffer) {
    QVButtonData empty{"Accept", "", "#000000", "#FFFFFF", QVFillType::fill, QVCornerType::smooth,
                       QVButtonType::button};
    QVButtonData absent = empty;
    absent.secondaryLabel = std::nullopt;
    EXPECT_NE(empty, absent);
    EXPECT_NE(std::hash<QVButtonData>{}(empty), std::hash<QVButtonData>{}(absent));
    EXPECT_EQ(std::hash<QVButtonData>{}(empty), std::hash<QVButtonData>{}(QVButtonData(empty)));
}

// The service answers a fresh device with these documents; a package id missing from one would
// make every start ask for consent again.
TEST(QVConsentBannerData, DemoConsentDocumentsNameEveryTemplatePackage) {
    for (const std::string app : {"demo-tv-app", "demo-tv-app-kids", "demo-tv-advanced", "demo-tv-minimal"}) {
        auto banner = parse(fixture(app + "/banner.json"));
        ASSERT_TRUE(banner) << app;
        std::set<std::string> templateIds, documentIds;
        for (const auto& category : banner->categories) {
            for (const auto& package : category->packages) templateIds.insert(package->packageId());
        }
        const json document = fixture(app + "/consent.json");
        for (const auto& category : document["MobilePackageConsents"]) {
            for (const auto& package : category["MobilePackageConsents"]) documentIds.insert(package["PackageId"]);
        }
        EXPECT_EQ(templateIds, documentIds) << app;
    }
}
