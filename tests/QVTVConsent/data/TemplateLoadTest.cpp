// The two template requests of a load go out together over loopback; whatever each of them
// answers, the load ends exactly as if they had been sent one after the other: the banner's
// failure wins, the preference center's outcome counts only after a good banner, and a failed
// load stores nothing but its configuration error.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "QVTVConsent/ServiceHarness.h"
#include "QVTVConsent/data/ConsentRepositoryImpl.h"
#include "QVTVConsent/data/PrefsFactory.h"
#include "QVTVConsent/data/ServiceSettings.h"
#include "support/LogCapture.h"

using namespace qvtv;
using namespace std::chrono_literals;
using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;

namespace {

const std::string primaryId = "demo-tv-app";
const std::string secondaryId = "demo-tv-app-kids";
const std::string bannerPath = "/api/mobilebanner/template/";
const std::string centerPath = "/api/mobilepreferencecenter/template/";
const std::string internalError = "Internal server error, please contact support";

// What one template request does; each outcome is given a message the other request never
// produces, so the answer tells which of the two decided it.
enum class Outcome { ok, apiError, failure, stall };

struct Case {
    Outcome banner;
    Outcome center;
};

std::string name(Outcome outcome) {
    switch (outcome) {
    case Outcome::ok: return "ok";
    case Outcome::apiError: return "apiError";
    case Outcome::failure: return "failure";
    case Outcome::stall: return "stall";
    }
    return "?";
}

ServiceFault faultFor(Outcome outcome, ServiceEndpoint endpoint) {
    ServiceFault fault;
    const bool banner = endpoint == ServiceEndpoint::bannerTemplate;
    switch (outcome) {
    case Outcome::ok: break;
    case Outcome::apiError:
        fault.kind = banner ? ServiceFault::Kind::noTemplatesText : ServiceFault::Kind::responseStatusError;
        break;
    case Outcome::failure:
        fault.kind = banner ? ServiceFault::Kind::dropConnection : ServiceFault::Kind::bareArray;
        break;
    case Outcome::stall: fault.kind = ServiceFault::Kind::stall; break;
    }
    return fault;
}

// The message a failed request gives the load.
std::string messageFor(Outcome outcome, ServiceEndpoint endpoint) {
    const bool banner = endpoint == ServiceEndpoint::bannerTemplate;
    switch (outcome) {
    case Outcome::ok: return "";
    case Outcome::apiError: return banner ? "No associated legal templates found" : "Injected service error";
    case Outcome::failure: return banner ? internalError + ": The network connection was lost." : internalError;
    case Outcome::stall: return internalError + ": The request timed out.";
    }
    return "";
}

// A short time-out for the library's shared session, so a stalled request fails within the test.
class ImpatientSession {
public:
    explicit ImpatientSession(std::chrono::milliseconds timeout) {
        ServiceSettings::setSessionOptions(platform::HttpSession::withTimeout(timeout));
    }
    ~ImpatientSession() { ServiceSettings::setSessionOptions(platform::HttpSession::Options{}); }
};

class TemplateLoadTest : public ::testing::Test {
protected:
    std::shared_ptr<ConsentRepositoryImpl> newRepository() {
        return std::make_shared<ConsentRepositoryImpl>(PrefsFactory::create(), std::make_shared<QVConsentEventManager>());
    }

    testsupport::ServiceHarness harness;
};

} // namespace

TEST_F(TemplateLoadTest, EveryOutcomeOfTheTwoRequestsEndsTheLoadAsItWouldOneAfterTheOther) {
    const auto timeout = 1200ms;
    const ImpatientSession session(timeout);
    // Every failing pair first, on a fresh install (the document fetched by each run must not
    // stay), then the good pair, then a failure over the document that run stored.
    std::vector<Case> cases;
    const Outcome outcomes[] = {Outcome::apiError, Outcome::failure, Outcome::stall, Outcome::ok};
    for (Outcome banner : outcomes) {
        for (Outcome center : outcomes) cases.push_back({banner, center});
    }
    cases.push_back({Outcome::failure, Outcome::ok});
    for (const Case& c : cases) {
        const auto [banner, center] = c;
        SCOPED_TRACE("banner " + name(banner) + ", preference center " + name(center));
        harness.service().clearFaults();
        harness.service().setFault(ServiceEndpoint::bannerTemplate, faultFor(banner, ServiceEndpoint::bannerTemplate));
        harness.service().setFault(ServiceEndpoint::preferenceCenterTemplate,
                                   faultFor(center, ServiceEndpoint::preferenceCenterTemplate));
        auto repository = newRepository();
        const auto storedBefore = repository->prefs()->getConsentRecord(primaryId);
        // Only the good pair stores a document, and it is the only run before the last.
        EXPECT_EQ(storedBefore != nullptr, &c == &cases.back());

        const auto started = std::chrono::steady_clock::now();
        const auto result = repository->initialise(QVAuthKey(primaryId)).get();
        const auto took = std::chrono::steady_clock::now() - started;

        std::string expected;
        if (banner != Outcome::ok) {
            expected = messageFor(banner, ServiceEndpoint::bannerTemplate);
        } else {
            expected = messageFor(center, ServiceEndpoint::preferenceCenterTemplate);
        }
        if (expected.empty()) {
            EXPECT_EQ(result.code(), 200);
            EXPECT_FALSE(repository->prefs()->getConfigError(primaryId));
            EXPECT_TRUE(repository->getPreferenceCenterData(primaryId).data());
            continue;
        }
        EXPECT_EQ(result.code(), 500);
        EXPECT_EQ(result.msg(), expected);
        const auto error = repository->prefs()->getConfigError(primaryId);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->msg(), expected);
        // A failed load leaves the stored document as it found it.
        const auto storedAfter = repository->prefs()->getConsentRecord(primaryId);
        EXPECT_EQ(storedAfter ? storedAfter->toJson() : nlohmann::json(),
                  storedBefore ? storedBefore->toJson() : nlohmann::json());
        // A failed banner does not wait for a stalled preference center (which would take the
        // whole time-out): its request is dropped.
        if (banner != Outcome::ok && banner != Outcome::stall) {
            EXPECT_LT(took, timeout);
        }
    }
}

TEST_F(TemplateLoadTest, BothTemplateRequestsAreInFlightTogetherAfterTheDocument) {
    // The banner stalls past the time-out while the preference center answers at once: the
    // preference center's request reached the service while the banner's was still held.
    const ImpatientSession session(400ms);
    ServiceFault stall;
    stall.kind = ServiceFault::Kind::stall;
    harness.service().setFault(ServiceEndpoint::bannerTemplate, stall);
    ServiceFault slow;
    slow.latency = 100ms;
    harness.service().setFault(ServiceEndpoint::consentDocument, slow);
    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logs({.error = true});

    auto repository = newRepository();
    const auto result = repository->initialise(QVAuthKey(primaryId)).get();
    EXPECT_EQ(result.msg(), internalError + ": The request timed out.");

    const auto requests = harness.service().requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].path, "/api/mobileconsent/dynamic");
    // Sent one after the other, a failed banner would have left no preference-center request.
    EXPECT_EQ(harness.requestCount(bannerPath), 1u);
    EXPECT_EQ(harness.requestCount(centerPath), 1u);
    // Only the banner's failure is reported; the preference center's answer was never used.
    std::vector<std::string> clientLines;
    for (const auto& line : log.lines()) {
        if (line.rfind("[ERROR] ApiHelper: ", 0) == 0) clientLines.push_back(line);
    }
    EXPECT_EQ(clientLines, std::vector<std::string>{
                               "[ERROR] ApiHelper: Error: API call failed (The request timed out.) - The request timed out."});
}

TEST_F(TemplateLoadTest, AFailedPrimaryCancelsEveryTemplateRequestOfTheSecondary) {
    // The secondary's two template requests would stall for a minute; the primary fails at once.
    ServiceFault stall;
    stall.kind = ServiceFault::Kind::stall;
    harness.service().setFault(ServiceEndpoint::bannerTemplate, stall);
    harness.service().setFault(ServiceEndpoint::preferenceCenterTemplate, stall);
    auto repository = newRepository();
    const auto started = std::chrono::steady_clock::now();
    const auto result = repository->initialise(QVAuthKey("unknown-tv-app", secondaryId)).get();
    EXPECT_EQ(result.code(), 409);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_TRUE(repository->prefs()->getConfigError("unknown-tv-app"));
    EXPECT_FALSE(repository->prefs()->getConfigError(secondaryId));
    EXPECT_FALSE(repository->prefs()->getConsentRecord(secondaryId));
}
