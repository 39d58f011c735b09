#include "QVTVConsent/core/JsonTextWriter.h"

#include <gtest/gtest.h>

using nlohmann::json;

namespace {

std::optional<std::string> written(const json& value) {
    std::string out;
    if (!qvtv::JsonTextWriter::write(value, out)) return std::nullopt;
    return out;
}

} // namespace

TEST(JsonTextWriter, MatchesTheLibraryWriterByteForByte) {
    const json samples[] = {
        json::parse(R"({"b":[1,-2,3.5,1e300,-0.0,true,false,null,[],{}],"a":{"x":{"y":[[]]}},"":""})"),
        json{{"esc", "quote\" back\\ \b\f\n\r\t \x01 \x1f \x7f / end"}},
        json{{"utf8", "caf\u00e9 \u20ac \U0001F600 \u2028"}, {"k\u00e9y\n", 18446744073709551615ull}},
        json(std::numeric_limits<double>::quiet_NaN()),
        json(INT64_MIN),
        json("plain"),
        json::array(),
    };
    for (const json& sample : samples) {
        EXPECT_EQ(written(sample), sample.dump(2)) << sample.dump();
    }
}

TEST(JsonTextWriter, RefusesMalformedUtf8WhereverItIs) {
    for (std::string bad : {"\x80", "\xC0\x80", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
                            "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xE2\x82", "ok\xC3", "\xFF"}) {
        EXPECT_EQ(written(json{{"k", bad}}), std::nullopt) << json(bad).dump(-1, ' ', false, json::error_handler_t::replace);
        EXPECT_EQ(written(json{{bad, 1}}), std::nullopt);
        EXPECT_THROW((void)json(bad).dump(2), json::type_error);
    }
    for (std::string good : {"\xC2\x80", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_EQ(written(json(good)), json(good).dump(2));
    }
}
