#include "QVTVConsent/model/QVPackageConsent.h"

#include <gtest/gtest.h>

using nlohmann::json;
using qvtv::QVPackageConsent;

namespace {

std::shared_ptr<QVPackageConsent> parse(const json& value) {
    auto result = QVPackageConsent::fromJson(value);
    EXPECT_TRUE(result.ok()) << value.dump();
    return result.ok() ? *result : nullptr;
}

} // namespace

TEST(QVPackageConsent, NameComesFromPackageNameThenName) {
    EXPECT_EQ(parse({{"PackageName", " Firebase "}, {"Name", "Other"}})->packageName(), "Firebase");
    EXPECT_EQ(parse({{"Name", " Only name "}})->packageName(), "Only name");
    EXPECT_EQ(parse(json::object())->packageName(), "");
    // A present "PackageName" wins even when it is not text: its text form is taken.
    EXPECT_EQ(parse({{"PackageName", 42}, {"Name", "Ignored"}})->packageName(), "42");
    EXPECT_EQ(parse({{"PackageName", nullptr}, {"Name", "Ignored"}})->packageName(), "null");
    EXPECT_EQ(parse({{"PackageId", 7}})->packageId(), "");
}

TEST(QVPackageConsent, IsEnabledReadsBooleansAndYesNoText) {
    EXPECT_TRUE(parse({{"IsEnabled", true}})->isEnabled());
    EXPECT_TRUE(parse({{"IsEnabled", "yes"}})->isEnabled());
    EXPECT_TRUE(parse({{"IsEnabled", "tRuE"}})->isEnabled());
    EXPECT_FALSE(parse({{"IsEnabled", "no"}})->isEnabled());
    EXPECT_FALSE(parse({{"IsEnabled", "false"}})->isEnabled());
    EXPECT_FALSE(parse({{"IsEnabled", "enabled"}})->isEnabled());
    EXPECT_FALSE(parse({{"IsEnabled", 1}})->isEnabled());
    EXPECT_FALSE(parse(json::object())->isEnabled());
}

TEST(QVPackageConsent, WritesTheNameUnderBothKeysAndRefusesNonObjects) {
    auto package = parse({{"Name", "Singular"}, {"PackageId", "Singular"}, {"IsEnabled", "Yes"}});
    package->setEnabled(false);
    EXPECT_EQ(package->toJson(),
              (json{{"PackageName", "Singular"}, {"Name", "Singular"}, {"PackageId", "Singular"}, {"IsEnabled", false}}));
    EXPECT_FALSE(package->enabled());

    for (const json& bad : {json(nullptr), json::array(), json("x"), json(1)}) {
        auto result = QVPackageConsent::fromJson(bad);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().code, 500);
        EXPECT_EQ(result.error().domain, "Invalid JSON (" + (bad.is_string() ? std::string("x") : bad.dump()) + ")");
    }
}
