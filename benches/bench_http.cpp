// HTTP from the library to the local consent service over loopback: a GET of a 100 KB template
// with the session's connection reuse, against a fresh connection per call (plain and TLS, where
// a fresh session also means a full handshake), and through the whole service client (transport
// plus JSON decoding).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "QVTVConsent/data/ConsentApi.h"
#include "platform/HttpSession.h"
#include "support/TestCertificates.h"
#include "tools/consent-service/ConsentService.h"

namespace {

constexpr std::size_t templateBytes = 100 * 1024;

// A temporary fixture folder with one application whose banner template is 100 KB of JSON.
class Fixture {
public:
    Fixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvtv-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        std::filesystem::create_directories(dir_ / "bench-app");
        nlohmann::json banner = {{"template", {{"Translation", {{"ConsentMessageText", ""}}}}}};
        std::string text = banner.dump();
        banner["template"]["Translation"]["ConsentMessageText"] = std::string(templateBytes - text.size(), 'x');
        std::ofstream(dir_ / "bench-app" / "banner.json") << banner.dump();
        auto options = consentservice::ConsentService::Options::serving(dir_);
        service_ = std::make_unique<consentservice::ConsentService>(options);
        const auto& certs = testsupport::TestCertificates::shared();
        options.tlsCert = certs.serverCert;
        options.tlsKey = certs.serverKey;
        secure_ = std::make_unique<consentservice::ConsentService>(options);
        if (!service_->start() || !secure_->start()) std::abort();
    }
    ~Fixture() {
        service_.reset();
        secure_.reset();
        std::filesystem::remove_all(dir_);
    }
    std::string url(bool tls = false) const {
        return (tls ? secure_ : service_)->baseUrl() + "/mobilebanner/template/bench-app";
    }
    std::string baseUrl() const { return service_->baseUrl(); }

private:
    std::filesystem::path dir_;
    std::unique_ptr<consentservice::ConsentService> service_;
    std::unique_ptr<consentservice::ConsentService> secure_;
};

platform::HttpSession::Options trustingTestCa() {
    return platform::HttpSession::withExtraCa(testsupport::TestCertificates::shared().caCert);
}

Fixture& fixture() {
    static Fixture f;
    return f;
}

struct AnyObject {
    nlohmann::json object;
    static qvtv::Result<AnyObject> fromJson(const nlohmann::json& value) { return AnyObject{value}; }
};

// Argument 1 means HTTPS.
void BM_Get100KBTemplate_ReusedConnection(benchmark::State& state) {
    platform::HttpSession session(trustingTestCa());
    platform::CancellationToken token;
    auto request = platform::HttpRequest::get(fixture().url(state.range(0) == 1));
    for (auto _ : state) {
        auto result = session.send(request, token);
        if (!result.ok() || result.response().body.size() != templateBytes) state.SkipWithError("bad answer");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * templateBytes));
}
BENCHMARK(BM_Get100KBTemplate_ReusedConnection)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void BM_Get100KBTemplate_FreshConnection(benchmark::State& state) {
    platform::CancellationToken token;
    auto request = platform::HttpRequest::get(fixture().url(state.range(0) == 1));
    for (auto _ : state) {
        // Its own connection cache and TLS sessions, so a new connection (and handshake) each call.
        platform::HttpSession session(trustingTestCa());
        auto result = session.send(request, token);
        if (!result.ok() || result.response().body.size() != templateBytes) state.SkipWithError("bad answer");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * templateBytes));
}
BENCHMARK(BM_Get100KBTemplate_FreshConnection)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void BM_ConsentApiCall_100KBTemplate(benchmark::State& state) {
    qvtv::ConsentApi api(std::make_shared<platform::HttpSession>());
    for (auto _ : state) {
        auto result = api.call<AnyObject>(qvtv::HttpMethod::get, fixture().baseUrl(), "mobilebanner/template/bench-app",
                                          {}, {{"Language", "EN"}, {"Location", "EU"}}, std::nullopt, false);
        if (!result.isSuccess()) state.SkipWithError("bad answer");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ConsentApiCall_100KBTemplate)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
