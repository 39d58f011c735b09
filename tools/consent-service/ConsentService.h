#pragma once
// A local consent service over HTTP or HTTPS on 127.0.0.1: the five endpoints of the consent API,
// served from fixture folders, with a consent document per client session, a record of every
// consent and data request received, and per-endpoint fault injection. Tests start it in-process
// on an ephemeral port; `qvtv-consent-service` runs it as a command. See README.md.
//
//   consentservice::ConsentService service(consentservice::ConsentService::Options::serving(QVTV_FIXTURES_DIR));
//   service.start();                       // service.baseUrl() == "http://127.0.0.1:<port>/api"
//   ... point the client at service.baseUrl() ...
//   auto consents = service.submissions(consentservice::ServiceEndpoint::consent);

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/consent-service/ServiceDatabase.h"
#include "tools/consent-service/ServiceFault.h"

namespace consentservice {

struct ReceivedRequest {
    std::string method;
    std::string path;   // without the query
    std::string query;  // as sent, still escaped
};

class ConsentService {
public:
    struct Options {
        std::filesystem::path fixtures;
        // Empty keeps submissions and documents in memory.
        std::filesystem::path database;
        // Both set: serve HTTPS.
        std::filesystem::path tlsCert;
        std::filesystem::path tlsKey;
        // 0 picks a free port.
        int port = 0;

        static Options serving(std::filesystem::path fixtures) {
            Options options;
            options.fixtures = std::move(fixtures);
            return options;
        }
    };

    explicit ConsentService(Options options);
    ~ConsentService();
    ConsentService(const ConsentService&) = delete;
    ConsentService& operator=(const ConsentService&) = delete;

    // Binds 127.0.0.1 and serves on a background thread; false when the port cannot be bound.
    [[nodiscard]] bool start();
    // Ends stalls and latency at once, then stops. Also done by the destructor.
    void stop();

    int port() const;
    std::string origin() const;   // "http://127.0.0.1:<port>" or https
    std::string baseUrl() const;  // origin() + "/api"

    void setFault(ServiceEndpoint endpoint, ServiceFault fault);
    // Also ends the stalls and latency of requests already waiting, which then answer as they
    // would have, so a test's stalls never hold the service's threads into the next case.
    void clearFaults();

    std::vector<Submission> submissions(std::optional<ServiceEndpoint> endpoint = std::nullopt);
    void clearSubmissions();
    std::vector<ReceivedRequest> requests() const;
    void clearRequests();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace consentservice
