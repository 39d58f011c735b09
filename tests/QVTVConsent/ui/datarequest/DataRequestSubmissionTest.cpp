#include "QVTVConsent/ui/datarequest/DataRequestSubmission.h"

#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/ServiceHarness.h"

#include <gtest/gtest.h>

namespace qvtv {
namespace {

using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;

std::shared_ptr<QVTextInputFieldData> field(std::string value = "") {
    auto data = std::make_shared<QVTextInputFieldData>();
    data->value = std::move(value);
    return data;
}

std::shared_ptr<QVChoiceInputFieldData> option(std::string label, bool chosen) {
    auto data = std::make_shared<QVChoiceInputFieldData>();
    data->label = std::move(label);
    data->value = chosen;
    return data;
}

// A form as a template builds it: export chosen, every text empty.
std::shared_ptr<QVDataRequestFormData> untouchedForm() {
    auto form = std::make_shared<QVDataRequestFormData>();
    form->name = field();
    form->email = field();
    form->address = field();
    form->phone = field();
    form->message = field();
    form->requestType = std::make_shared<QVChoiceInputGroupData>();
    form->requestType->value = {option("Export my data", true), option("Delete my data", false),
                                option("Something else", false)};
    form->requestLabelTypeMap = {{"Export my data", QVDataRequestType::dataExport},
                                 {"Delete my data", QVDataRequestType::dataDeletion},
                                 {"Something else", QVDataRequestType::other}};
    form->verificationEnabled = true;
    form->verificationEmail = "verify@example.com";
    return form;
}

TEST(DataRequestSubmission, TheBodyCarriesTheFormExactlyAsTyped) {
    auto form = untouchedForm();
    EXPECT_EQ(DataRequestSubmission::makeBody(*form, "demo-tv-app"),
              (nlohmann::json{{"MobileAppId", "demo-tv-app"}, {"VerificationEnabled", true},
                              {"VerificationEmail", "verify@example.com"}, {"Name", ""}, {"Email", ""},
                              {"Address", ""}, {"Phone", ""}, {"Message", ""}, {"Type", "Export"}}));
    form->name->value = " Jane ";
    form->message->value = "Line one\nline two ";
    form->requestType->value[0]->value = false;
    form->requestType->value[2]->value = true;
    const nlohmann::json body = DataRequestSubmission::makeBody(*form, "demo-tv-app");
    EXPECT_EQ(body["Name"], " Jane ");
    EXPECT_EQ(body["Message"], "Line one\nline two ");
    EXPECT_EQ(body["Type"], "Other");

    // No chosen option, or one the map does not know, sends no type.
    form->requestType->value[2]->value = false;
    EXPECT_EQ(DataRequestSubmission::makeBody(*form, "demo-tv-app")["Type"], "");
    form->requestType->value[1]->value = true;
    form->requestLabelTypeMap.erase("Delete my data");
    EXPECT_EQ(DataRequestSubmission::makeBody(*form, "demo-tv-app")["Type"], "");

    DataRequestSubmission::reset(*form);
    EXPECT_EQ(DataRequestSubmission::makeBody(*form, "x"),
              DataRequestSubmission::makeBody(*untouchedForm(), "x"));
}

TEST(DataRequestSubmission, TheServiceRecordsTheRequestAndItsAnswerBecomesTheMessage) {
    testsupport::ServiceHarness harness;
    DataFactory::create();
    const nlohmann::json body = DataRequestSubmission::makeBody(*untouchedForm(), "demo-tv-app");

    const QVMessage sent = DataRequestSubmission::send(body).get();
    EXPECT_EQ(sent.code(), 200);
    EXPECT_EQ(sent.msg(), "");
    auto recorded = harness.service().submissions(ServiceEndpoint::dataRequest);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(nlohmann::json::parse(recorded[0].body), body);
    EXPECT_EQ(recorded[0].applicationId, "demo-tv-app");

    auto failOnce = [&](ServiceFault::Kind kind) {
        ServiceFault fault;
        fault.kind = kind;
        fault.times = 1;
        harness.service().setFault(ServiceEndpoint::dataRequest, fault);
        return DataRequestSubmission::send(body).get();
    };
    const QVMessage error = failOnce(ServiceFault::Kind::responseStatusError);
    EXPECT_EQ(error.code(), 409);
    EXPECT_FALSE(error.msg().empty());
    const QVMessage failure = failOnce(ServiceFault::Kind::dropConnection);
    EXPECT_EQ(failure.code(), 500);
    EXPECT_FALSE(failure.msg().empty());
    EXPECT_FALSE(failure.error());
}

TEST(DataRequestSubmission, NothingIsSentBeforeTheLibraryHasARepository) {
    testsupport::ServiceHarness harness;
    DataFactory::setRepository(nullptr);
    const QVMessage message = DataRequestSubmission::send(DataRequestSubmission::makeBody(*untouchedForm(), "a")).get();
    EXPECT_EQ(message.code(), 500);
    EXPECT_NE(message.msg().find("DataFactoryError.notCreated"), std::string::npos);
    EXPECT_TRUE(harness.service().submissions(ServiceEndpoint::dataRequest).empty());
}

} // namespace
} // namespace qvtv
