#include "tools/consent-service/ConsentService.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <nlohmann/json.hpp>
#include <thread>

#include "platform/HttpSession.h"
#include "support/TempDir.h"

using namespace std::chrono_literals;
using consentservice::ConsentService;
using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;
using Json = nlohmann::json;

namespace {

void write(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

class ConsentServiceTest : public ::testing::Test {
protected:
    ConsentServiceTest() {
        write(fixtures_.path() / "app-a" / "banner.json", R"({"which": "a-default"})");
        write(fixtures_.path() / "app-a" / "banner.de.json", R"({"which": "a-de"})");
        write(fixtures_.path() / "app-a" / "preference-center.json", R"({"which": "a-pc"})");
        write(fixtures_.path() / "app-a" / "consent.json",
              R"({"location": "EU", "autoClientId": "fixture", "MobilePackageConsents": []})");
    }

    platform::HttpResult get(const std::string& path, platform::HttpRequest::Fields query = {}) {
        auto request = platform::HttpRequest::get(service_.baseUrl() + path);
        request.query = std::move(query);
        return session_.send(request, token_);
    }

    platform::HttpResult post(const std::string& path, const std::string& body) {
        platform::HttpRequest request("POST", service_.baseUrl() + path);
        request.body = body;
        return session_.send(request, token_);
    }

    testsupport::TempDir fixtures_;
    ConsentService service_{ConsentService::Options::serving(fixtures_.path())};
    platform::HttpSession session_{platform::HttpSession::withTimeout(5s)};
    platform::CancellationToken token_;
};

} // namespace

TEST_F(ConsentServiceTest, ServesTemplatesPerApplicationAndLanguage) {
    ASSERT_TRUE(service_.start());
    EXPECT_EQ(get("/mobilebanner/template/app-a", {{"Language", "DE"}}).response().body, R"({"which": "a-de"})");
    EXPECT_EQ(get("/mobilebanner/template/app-a", {{"Language", "FR"}}).response().body, R"({"which": "a-default"})");
    EXPECT_EQ(get("/mobilepreferencecenter/template/app-a").response().body, R"({"which": "a-pc"})");
    EXPECT_EQ(get("/mobilebanner/template/unknown").response().body, R"("No associated legal templates found")");

    auto requests = service_.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].path, "/api/mobilebanner/template/app-a");
    EXPECT_EQ(requests[0].query, "Language=DE");
}

TEST_F(ConsentServiceTest, MakesOneDocumentPerClientSessionAndRecordsConsent) {
    ASSERT_TRUE(service_.start());
    auto fetch = [&](const std::string& session) {
        return Json::parse(get("/mobileconsent/dynamic", {{"MobileApplicationId", "app-a"}, {"ClientSessionId", session}})
                               .response()
                               .body);
    };
    Json first = fetch("S1");
    EXPECT_EQ(first["location"], "EU");
    EXPECT_NE(first["autoClientId"], "fixture");
    EXPECT_EQ(fetch("S1")["autoClientId"], first["autoClientId"]);
    EXPECT_NE(fetch("S2")["autoClientId"], first["autoClientId"]);
    EXPECT_TRUE(get("/mobileconsent/dynamic", {{"MobileApplicationId", "nope"}}).response().body.find(
                    "\"ResponseStatus\"") != std::string::npos);

    Json consent = {{"MobileApplicationId", "app-a"},
                    {"ClientSessionId", "S1"},
                    {"AllConsents", Json::array({{{"MobileComplianceCategory", "Essential"}}})}};
    auto posted = post("/mobileconsent", consent.dump());
    ASSERT_TRUE(posted.ok());
    EXPECT_EQ(posted.response().body, "");
    EXPECT_EQ(fetch("S1")["MobilePackageConsents"], consent["AllConsents"]);
    EXPECT_EQ(post("/mobile/datarequest/submit", R"({"MobileAppId": "app-a", "Type": "Export"})").response().body, "{}");

    auto consents = service_.submissions(ServiceEndpoint::consent);
    ASSERT_EQ(consents.size(), 1u);
    EXPECT_EQ(consents[0].applicationId, "app-a");
    EXPECT_EQ(consents[0].clientSessionId, "S1");
    EXPECT_EQ(Json::parse(consents[0].body), consent);
    auto requests = service_.submissions(ServiceEndpoint::dataRequest);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].applicationId, "app-a");
    service_.clearSubmissions();
    EXPECT_TRUE(service_.submissions().empty());
}

TEST_F(ConsentServiceTest, InjectsEachFaultForItsEndpointOnly) {
    ASSERT_TRUE(service_.start());
    auto once = [&](ServiceFault::Kind kind) {
        ServiceFault fault;
        fault.kind = kind;
        fault.times = 1;
        service_.setFault(ServiceEndpoint::bannerTemplate, fault);
    };
    const std::string banner = "/mobilebanner/template/app-a";

    once(ServiceFault::Kind::http500);
    EXPECT_EQ(get("/mobilepreferencecenter/template/app-a").response().status, 200);
    auto failed = get(banner);
    EXPECT_EQ(failed.response().status, 500);
    EXPECT_EQ(failed.response().body, R"({"which": "a-default"})");
    EXPECT_EQ(get(banner).response().status, 200);  // used up
    // What each other kind of answer does to the client is asserted by the consent client's tests.

    ServiceFault slow;
    slow.latency = 150ms;
    slow.times = 1;
    service_.setFault(ServiceEndpoint::bannerTemplate, slow);
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(get(banner).ok());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);

    ServiceFault stall;
    stall.kind = ServiceFault::Kind::stall;
    service_.setFault(ServiceEndpoint::bannerTemplate, stall);
    platform::HttpSession impatient(platform::HttpSession::withTimeout(200ms));
    EXPECT_EQ(impatient.send(platform::HttpRequest::get(service_.baseUrl() + banner), token_).failure().error,
              platform::HttpError::timedOut);
    service_.clearFaults();
    EXPECT_TRUE(get(banner).ok());

    // A request still stalled when the faults are cleared is answered then, not a minute later.
    service_.setFault(ServiceEndpoint::bannerTemplate, stall);
    const auto before = service_.requests().size();
    auto stalled = std::async(std::launch::async, [&] { return get(banner); });
    while (service_.requests().size() == before) std::this_thread::yield();
    service_.clearFaults();
    EXPECT_EQ(stalled.get().response().status, 200);
}

TEST_F(ConsentServiceTest, AdminInterfaceOverHttp) {
    ASSERT_TRUE(service_.start());
    auto admin = [&](const std::string& method, const std::string& path, const std::string& body = "") {
        platform::HttpRequest request(method, service_.origin() + "/_admin" + path);
        if (!body.empty()) request.body = body;
        return session_.send(request, token_);
    };
    EXPECT_EQ(admin("PUT", "/faults/banner", R"({"kind": "no-such"})").response().status, 400);
    EXPECT_EQ(admin("PUT", "/faults/banner", R"({"kind": "bare-array", "times": 1})").response().status, 200);
    EXPECT_TRUE(Json::parse(get("/mobilebanner/template/app-a").response().body).is_array());
    ASSERT_TRUE(post("/mobileconsent", R"({"MobileApplicationId": "app-a", "AllConsents": []})").ok());

    Json submissions = Json::parse(admin("GET", "/submissions?endpoint=consent").response().body);
    ASSERT_EQ(submissions.size(), 1u);
    EXPECT_EQ(submissions[0]["body"]["MobileApplicationId"], "app-a");
    Json requests = Json::parse(admin("GET", "/requests").response().body);
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1]["method"], "POST");
    ASSERT_TRUE(admin("DELETE", "/submissions").ok());
    EXPECT_EQ(Json::parse(admin("GET", "/submissions").response().body).size(), 0u);
}

TEST_F(ConsentServiceTest, HostsImageFilesAndNothingOutsideTheirFolder) {
    write(fixtures_.path() / "images" / "logo.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    ASSERT_TRUE(service_.start());
    auto image = [&](const std::string& name) {
        return session_.send(platform::HttpRequest::get(service_.origin() + "/images/" + name), token_);
    };
    auto logo = image("logo.svg");
    ASSERT_TRUE(logo.ok());
    EXPECT_EQ(logo.response().status, 200);
    EXPECT_EQ(logo.response().body, "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    EXPECT_EQ(image("missing.png").response().status, 404);
    EXPECT_EQ(image("..%2Fapp-a%2Fbanner.json").response().status, 404);
    EXPECT_EQ(image("..").response().status, 404);

    ServiceFault broken;
    broken.kind = ServiceFault::Kind::http500;
    broken.times = 1;
    service_.setFault(ServiceEndpoint::image, broken);
    EXPECT_EQ(image("logo.svg").response().status, 500);
    EXPECT_EQ(image("logo.svg").response().status, 200);
    EXPECT_EQ(consentservice::endpointNamed("image"), ServiceEndpoint::image);
}
