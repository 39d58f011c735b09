#include "QVTVConsent/data/ConsentApi.h"

#include <gtest/gtest.h>

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/core/JsonUtils.h"
#include "support/LogCapture.h"
#include "support/LoopbackServer.h"
#include "support/TestCertificates.h"
#include "tools/consent-service/ConsentService.h"

using namespace std::chrono_literals;
using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;
using qvtv::ApiResult;
using qvtv::ConsentApi;
using qvtv::HttpMethod;
using Json = nlohmann::json;

namespace {

// A template as the client sees it: any object with a "template" member.
struct TemplateRecord {
    Json object;
    static qvtv::Result<TemplateRecord> fromJson(const Json& value) {
        if (!value.contains("template")) return qvtv::JsonUtils::invalidJsonError("TemplateRecord", &value);
        return TemplateRecord{value};
    }
};

const std::string internalError = "Internal server error, please contact support";

class ConsentApiTest : public ::testing::Test {
protected:
    ConsentApiTest() {
        qvtv::QVLogger::ERROR_LOGS_ENABLED = true;
        EXPECT_TRUE(service_.start());
    }
    ~ConsentApiTest() override { qvtv::QVLogger::ERROR_LOGS_ENABLED = false; }

    void fault(ServiceEndpoint endpoint, ServiceFault::Kind kind) {
        ServiceFault f;
        f.kind = kind;
        f.times = 1;
        service_.setFault(endpoint, f);
    }

    ApiResult<TemplateRecord> banner(const std::string& app = "demo-tv-minimal") {
        return api_.call<TemplateRecord>(HttpMethod::get, service_.baseUrl(), "mobilebanner/template/" + app, {},
                                         {{"Language", "EN"}, {"Location", "EU"}}, std::nullopt, false);
    }

    ApiResult<qvtv::ApiNoContent> postConsent(const Json& body) {
        return api_.call<qvtv::ApiNoContent>(HttpMethod::post, service_.baseUrl(), "mobileconsent", {}, {}, body, true);
    }

    consentservice::ConsentService service_{consentservice::ConsentService::Options::serving(QVTV_FIXTURES_DIR)};
    // Generous, so a loaded sanitizer build never turns a slow answer into a time-out; the
    // time-out itself is tested with its own impatient client.
    std::shared_ptr<platform::HttpSession> session_ =
        std::make_shared<platform::HttpSession>(platform::HttpSession::withTimeout(10s));
    ConsentApi api_{session_};
    testsupport::LogCapture log_;
};

} // namespace

TEST_F(ConsentApiTest, DecodesTheBodyWhateverTheHttpStatus) {
    auto ok = banner();
    ASSERT_TRUE(ok.isSuccess());
    EXPECT_EQ(ok.value().object["template"]["Settings"]["BackgroundColor"], "#FFFFFF");

    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::http500);
    EXPECT_TRUE(banner().isSuccess());

    auto requests = service_.requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().path, "/api/mobilebanner/template/demo-tv-minimal");
    EXPECT_EQ(requests.back().query, "Language=EN&Location=EU");
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(ConsentApiTest, ServiceErrorsBecomeApiErrors) {
    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::responseStatusError);
    auto structured = banner();
    ASSERT_TRUE(structured.isApiError());
    EXPECT_EQ(structured.apiError().errorCode, "QV_SERVICE_FAULT");
    EXPECT_EQ(structured.apiError().message, "Injected service error");
    EXPECT_TRUE(structured.apiError().errors.empty());
    EXPECT_TRUE(log_.contains(
        R"([ERROR] ApiHelper: ResponseStatus is not nil: {"ErrorCode":"QV_SERVICE_FAULT","Message":"Injected service error"})"));

    log_.clear();
    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::noTemplatesText);
    auto none = banner();
    ASSERT_TRUE(none.isApiError());
    EXPECT_EQ(none.apiError().errorCode, "QV_NO_TEMPLATES");
    EXPECT_EQ(none.apiError().message, "No associated legal templates found");
    EXPECT_EQ(log_.lines(),
              (std::vector<std::string>{
                  "[ERROR] ApiHelper: QVApiError(37 bytes): QVApiError(errorCode: \"QV_NO_TEMPLATES\", message: "
                  "\"No associated legal templates found\", errors: [])",
              }));
    // An application the service does not know gets the same answer.
    EXPECT_EQ(banner("unknown-app").apiError().errorCode, "QV_NO_TEMPLATES");
}

TEST_F(ConsentApiTest, UnusableBodiesFailWithTheInternalErrorMessage) {
    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::bareArray);
    auto array = banner();
    ASSERT_TRUE(array.isFailure());
    EXPECT_EQ(array.failureMessage(), internalError);
    EXPECT_EQ(log_.lines(), (std::vector<std::string>{
                                "[ERROR] QVApiError: parse(35 bytes)",
                                "[ERROR] ApiHelper: Internal server error, please contact support: "
                                "[{\"ErrorCode\": \"QV_SERVICE_FAULT\"}]",
                            }));

    log_.clear();
    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::emptyBody);
    auto empty = banner();
    ASSERT_TRUE(empty.isFailure());
    EXPECT_EQ(empty.failureMessage(), internalError);
    EXPECT_TRUE(log_.containsSubstring("[ERROR] ApiHelper: JSON parsing error: [json.exception.parse_error.101]"));

    log_.clear();
    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::invalidUtf8);
    auto garbled = banner();
    ASSERT_TRUE(garbled.isFailure());
    EXPECT_EQ(garbled.failureMessage(), internalError);
    EXPECT_TRUE(log_.lines().empty());

    // A "ResponseStatus" that is not an object falls through to the raw body.
    testsupport::LoopbackServer odd;
    odd.server().Get(R"(/api/(\w+))", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.matches[1] == "text" ? R"({"ResponseStatus": "broken"})" : R"({"ResponseStatus": null})",
                        "application/json");
    });
    odd.start();
    for (const char* api : {"text", "null"}) {
        log_.clear();
        auto result = api_.call<TemplateRecord>(HttpMethod::get, odd.origin() + "/api", api, {}, {}, std::nullopt, false);
        ASSERT_TRUE(result.isFailure()) << api;
        EXPECT_EQ(result.failureMessage(), internalError);
        EXPECT_TRUE(log_.containsSubstring("[ERROR] ApiHelper: ResponseStatus is not nil: ")) << api;
        EXPECT_TRUE(log_.containsSubstring("[ERROR] ApiHelper: Internal server error, please contact support: {")) << api;
    }
}

TEST_F(ConsentApiTest, TransportFailuresCarryTheirDescription) {
    ServiceFault stall;
    stall.kind = ServiceFault::Kind::stall;
    stall.times = 1;
    service_.setFault(ServiceEndpoint::bannerTemplate, stall);
    ConsentApi impatient{std::make_shared<platform::HttpSession>(platform::HttpSession::withTimeout(300ms))};
    auto late = impatient.call<TemplateRecord>(HttpMethod::get, service_.baseUrl(),
                                               "mobilebanner/template/demo-tv-minimal", {}, {}, std::nullopt, false);
    ASSERT_TRUE(late.isFailure());
    EXPECT_EQ(late.failureMessage(), "Internal server error, please contact support: The request timed out.");
    EXPECT_TRUE(log_.contains(
        "[ERROR] ApiHelper: Error: API call failed (The request timed out.) - The request timed out."));

    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::oversizedBody);
    EXPECT_EQ(banner().failureMessage(),
              "Internal server error, please contact support: The response exceeded the maximum allowed size.");
    fault(ServiceEndpoint::bannerTemplate, ServiceFault::Kind::dropConnection);
    EXPECT_EQ(banner().failureMessage(), "Internal server error, please contact support: The network connection was lost.");

    platform::CancellationToken token;
    token.cancel();
    auto cancelled = api_.call<TemplateRecord>(HttpMethod::get, service_.baseUrl(), "mobilebanner/template/demo-tv-minimal",
                                               {}, {}, std::nullopt, false, token);
    EXPECT_EQ(cancelled.failureMessage(), "Internal server error, please contact support: cancelled");

    auto invalid = api_.call<TemplateRecord>(HttpMethod::get, "not a url", "x", {}, {}, std::nullopt, false);
    ASSERT_TRUE(invalid.isFailure());
    EXPECT_EQ(invalid.failureMessage(), internalError);
}

TEST_F(ConsentApiTest, PostsPrettyJsonAndTakesAnEmptyAnswerAsSuccess) {
    Json body = {{"ScreenURI", "Application"},
                 {"MobileApplicationId", "demo-tv-minimal"},
                 {"ClientSessionId", "SESSION"},
                 {"AllConsents", Json::array()}};
    ASSERT_TRUE(postConsent(body).isSuccess());
    auto received = service_.submissions(ServiceEndpoint::consent);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].body, body.dump(2));

    // An empty answer with a failed status is no success.
    log_.clear();
    fault(ServiceEndpoint::consent, ServiceFault::Kind::http500);
    auto refused = postConsent(body);
    ASSERT_TRUE(refused.isFailure());
    EXPECT_EQ(refused.failureMessage(), internalError);
    EXPECT_EQ(log_.lines(), (std::vector<std::string>{
                                "[ERROR] ApiHelper: Error: API call failed (HTTP status 500 with an empty body)"}));

    auto dataRequest = api_.call<qvtv::QVMessage>(HttpMethod::post, service_.baseUrl(), "mobile/datarequest/submit",
                                                  {}, {}, Json{{"MobileAppId", "demo-tv-minimal"}}, true);
    ASSERT_TRUE(dataRequest.isSuccess());
    EXPECT_EQ(dataRequest.value().code(), 200);
    EXPECT_EQ(dataRequest.value().msg(), "");
    EXPECT_FALSE(dataRequest.value().error());

    // A body that cannot be written as UTF-8 is never sent.
    const auto sent = service_.submissions(ServiceEndpoint::consent).size();
    auto unsendable = postConsent(Json{{"Name", "\xff"}});
    ASSERT_TRUE(unsendable.isFailure());
    EXPECT_EQ(unsendable.failureMessage().rfind(internalError + ": ", 0), 0u);
    EXPECT_EQ(service_.submissions(ServiceEndpoint::consent).size(), sent);
}

TEST_F(ConsentApiTest, HttpsWorksOnlyWithTheTestAuthority) {
    const auto& certs = testsupport::TestCertificates::shared();
    auto options = consentservice::ConsentService::Options::serving(QVTV_FIXTURES_DIR);
    options.tlsCert = certs.serverCert;
    options.tlsKey = certs.serverKey;
    consentservice::ConsentService secure(options);
    ASSERT_TRUE(secure.start());

    ConsentApi trusting(std::make_shared<platform::HttpSession>(platform::HttpSession::withExtraCa(certs.caCert)));
    auto ok = trusting.call<TemplateRecord>(HttpMethod::get, secure.baseUrl(), "mobilebanner/template/demo-tv-minimal",
                                            {}, {}, std::nullopt, false);
    EXPECT_TRUE(ok.isSuccess());

    auto refused = api_.call<TemplateRecord>(HttpMethod::get, secure.baseUrl(), "mobilebanner/template/demo-tv-minimal",
                                             {}, {}, std::nullopt, false);
    ASSERT_TRUE(refused.isFailure());
    EXPECT_EQ(refused.failureMessage(), "Internal server error, please contact support: An SSL error has occurred and "
                                        "a secure connection to the server cannot be made.");
}

TEST(ConsentApiDecoding, ACustomDecoderTakesThePlaceOfTheRecordConstructor) {
    using qvtv::QVError;
    using qvtv::Result;
    const int context = 40;
    auto decoded = ConsentApi::decode<int>(R"({"n": 2})", false, [&](const nlohmann::json& object) -> Result<int> {
        return context + object["n"].get<int>();
    });
    ASSERT_TRUE(decoded.isSuccess());
    EXPECT_EQ(decoded.value(), 42);

    // A decoder that refuses the object leads to the same fallback as a failing record constructor.
    auto refused = ConsentApi::decode<int>(R"({"n": 2})", false, [](const nlohmann::json&) -> Result<int> {
        return QVError{"Invalid JSON (n)", 500, std::nullopt};
    });
    EXPECT_FALSE(refused.isSuccess());
    auto serviceError = ConsentApi::decode<int>(R"({"ResponseStatus": {"ErrorCode": "E", "Message": "M"}})", false,
                                                [](const nlohmann::json&) -> Result<int> { return 1; });
    ASSERT_TRUE(serviceError.isApiError());
    EXPECT_EQ(serviceError.apiError().message, "M");
}
