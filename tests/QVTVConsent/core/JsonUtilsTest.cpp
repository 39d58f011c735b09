#include "QVTVConsent/core/JsonUtils.h"

#include <gtest/gtest.h>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "support/LogCapture.h"

using nlohmann::json;
using qvtv::JsonUtils;

TEST(JsonUtils, FindTellsMissingFromNull) {
    json object = {{"a", nullptr}, {"b", 1}};
    ASSERT_NE(JsonUtils::find(object, "a"), nullptr);
    EXPECT_TRUE(JsonUtils::find(object, "a")->is_null());
    EXPECT_EQ(*JsonUtils::find(object, "b"), 1);
    EXPECT_EQ(JsonUtils::find(object, "c"), nullptr);
    EXPECT_EQ(JsonUtils::find(json::array({1}), "a"), nullptr);
    EXPECT_EQ(JsonUtils::find(json("a"), "a"), nullptr);
}

TEST(JsonUtils, InvalidJsonErrorNamesTheValueAndLogsOnlyWhenEnabled) {
    testsupport::LogCapture capture;
    json value = json::array({1, "x"});
    qvtv::QVError error = JsonUtils::invalidJsonError("QVDynamic", &value);
    EXPECT_EQ(error.domain, "Invalid JSON ([1,\"x\"])");
    EXPECT_EQ(error.code, 500);
    EXPECT_EQ(error.description, std::nullopt);
    EXPECT_TRUE(capture.lines().empty());

    {
        testsupport::ScopedLogSwitches logs({.error = true});
        json text = "oops";
        EXPECT_EQ(JsonUtils::invalidJsonError("QVMessage", &text).domain, "Invalid JSON (oops)");
        EXPECT_EQ(JsonUtils::invalidJsonError("QVMessage", nullptr).domain, "Invalid JSON (nil)");
    }
    EXPECT_EQ(capture.lines(), (std::vector<std::string>{"[ERROR] QVMessage: parse(oops)", "[ERROR] QVMessage: parse(nil)"}));
}

TEST(JsonUtils, MakeErrorCarriesTheMessageAsDescription) {
    qvtv::QVError error = JsonUtils::makeError("DataRequest", 409, "Email is invalid");
    EXPECT_EQ(error.domain, "DataRequest");
    EXPECT_EQ(error.code, 409);
    EXPECT_EQ(error.localizedDescription(), "Email is invalid");
    EXPECT_EQ((qvtv::QVError{"Net", 7, std::nullopt}).localizedDescription(), "The operation couldn't be completed. (Net error 7.)");
}

TEST(JsonUtils, JsonStringPrettyPrintsAndRefusesInvalidUtf8) {
    auto text = JsonUtils::jsonString(json{{"k", "v\u00e9"}, {"n", 1}}, "Tag");
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(*text, "{\n  \"k\": \"v\u00e9\",\n  \"n\": 1\n}");
    EXPECT_EQ(json::parse(*text), (json{{"k", "v\u00e9"}, {"n", 1}}));

    auto bad = JsonUtils::jsonString(json{{"k", std::string("\xff\xfe")}}, "QVDynamic");
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().code, 500);
    EXPECT_EQ(bad.error().domain.rfind("Invalid JSON (", 0), 0u);
}

namespace {

// A record whose own writing asks for the text of another value, as a host's record might.
class NestingRecord : public qvtv::JsonSerialisable {
public:
    nlohmann::json toJson() const override { return {{"inner", *JsonUtils::jsonString(json{{"a", 1}}, "Inner")}}; }
};

} // namespace

TEST(JsonUtils, JsonStringTextsStandAloneWhateverWasWrittenBefore) {
    // Each thread writes into a buffer it keeps: a long text, a refused one and a nested one must
    // leave nothing behind in the texts that follow.
    json longValue = {{"list", json::array()}};
    for (int i = 0; i < 2000; ++i) longValue["list"].push_back("entry " + std::to_string(i));
    auto longText = JsonUtils::jsonString(longValue, "Tag");
    ASSERT_TRUE(longText.ok());
    EXPECT_EQ(*longText, longValue.dump(2));

    EXPECT_EQ(*JsonUtils::jsonString(json{{"n", 1}}, "Tag"), "{\n  \"n\": 1\n}");
    EXPECT_FALSE(JsonUtils::jsonString(json{{"k", std::string("ok \xff")}}, "Tag").ok());
    EXPECT_EQ(*JsonUtils::jsonString(json::array({true}), "Tag"), "[\n  true\n]");

    auto nested = JsonUtils::jsonString(NestingRecord{}, "Outer");
    ASSERT_TRUE(nested.ok());
    EXPECT_EQ(*nested, NestingRecord{}.toJson().dump(2));
    EXPECT_EQ(*JsonUtils::jsonString(json::object(), "Tag"), "{}");
}
