#include "QVTVConsent/core/QVMessage.h"

#include <gtest/gtest.h>

#include "QVTVConsent/core/QVDataMessage.h"
#include "QVTVConsent/model/QVConsentStatus.h"

using nlohmann::json;
using qvtv::QVDataMessage;
using qvtv::QVMessage;

TEST(QVMessage, DictionaryFormHasThreeKeysAndFourWithAPayload) {
    QVMessage plain(409, "Invalid Primary Application Id: x", "detail");
    EXPECT_EQ(plain.toDictionary(), (json{{"code", 409}, {"msg", "Invalid Primary Application Id: x"}, {"error", "detail"}}));

    QVDataMessage<qvtv::QVConsentStatus> empty(404, "Consent recollection required!");
    EXPECT_EQ(empty.toDictionary().size(), 3u);
    EXPECT_TRUE(empty.toDictionary()["error"].is_null());
    EXPECT_FALSE(empty.toDictionary().contains("data"));

    QVDataMessage<qvtv::QVConsentStatus> status(200, "Pending", std::nullopt, qvtv::QVConsentStatus::pending);
    EXPECT_EQ(status.toDictionary().size(), 4u);
    EXPECT_EQ(status.toDictionary()["data"], "Pending");
    EXPECT_EQ(status.description(), R"({"code":200,"data":"Pending","error":null,"msg":"Pending"})");

    QVDataMessage<std::vector<std::string>> list(200, "", std::nullopt, std::vector<std::string>{"a"});
    const QVMessage& base = list;
    EXPECT_EQ(base.toDictionary()["data"], json::array({"a"}));
}

TEST(QVMessage, ReadsItsDictionaryFormBackTolerantly) {
    auto full = QVMessage::fromDictionary(json{{"code", "500"}, {"msg", " Internal "}, {"error", "e"}});
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full->code(), 500);
    EXPECT_EQ(full->msg(), "Internal");
    EXPECT_EQ(full->error(), "e");

    auto sparse = QVMessage::fromDictionary(json::object());
    ASSERT_TRUE(sparse.ok());
    EXPECT_EQ(sparse->code(), 0);
    EXPECT_EQ(sparse->msg(), "");
    EXPECT_EQ(sparse->error(), std::nullopt);

    QVMessage original(404, "m");
    auto back = QVMessage::fromDictionary(original.toDictionary());
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->error(), std::nullopt);

    auto fail = QVMessage::fromDictionary(json::array());
    ASSERT_FALSE(fail.ok());
    EXPECT_EQ(fail.error().domain, "Invalid JSON ([])");
    EXPECT_EQ(fail.error().code, 500);
}
