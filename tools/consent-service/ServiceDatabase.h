#pragma once
// The local service's memory, in SQLite: every consent and data request it received (so tests
// and the demo can read them back) and the consent document of each client session.
//
//   ServiceDatabase db("");            // in memory; or a file path to keep it between runs
//   db.record({ServiceEndpoint::consent, "demo-tv-app", "SESSION", body, nowMs});
//   auto consents = db.submissions(ServiceEndpoint::consent);

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/SqliteConnection.h"
#include "tools/consent-service/ServiceFault.h"

namespace consentservice {

struct Submission {
    ServiceEndpoint endpoint = ServiceEndpoint::consent;
    std::string applicationId;
    std::string clientSessionId;
    std::string body;
    std::int64_t receivedAtMs = 0;
};

class ServiceDatabase {
public:
    // An empty path keeps everything in memory.
    explicit ServiceDatabase(const std::filesystem::path& file);

    bool isOpen() const { return static_cast<bool>(db_); }
    void record(const Submission& submission);
    std::vector<Submission> submissions(std::optional<ServiceEndpoint> endpoint = std::nullopt);
    void clearSubmissions();

    std::optional<std::string> document(const std::string& applicationId, const std::string& clientSessionId);
    void saveDocument(const std::string& applicationId, const std::string& clientSessionId, const std::string& json);

private:
    std::mutex mutex_;
    platform::SqliteConnection db_;
};

} // namespace consentservice
