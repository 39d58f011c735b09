#pragma once
// The HTTP client of the platform, over libcurl. One session may be used from any thread: calls
// reuse the connections earlier calls left open, and share DNS answers and TLS sessions. Peer and
// host verification are always on; an extra CA file can be trusted in addition to the system's.
// Up to five redirects are followed, never from HTTPS down to HTTP; gzip answers are
// accepted and decoded. Answers larger than the cap (counted after decoding) fail instead of
// exhausting memory, and a call stops promptly when its token is cancelled.
//
//   platform::HttpSession session;
//   platform::CancellationToken token;
//   auto result = session.send(platform::HttpRequest::get("https://host/api/x"), token);

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>

#include "platform/CancellationToken.h"
#include "platform/HttpRequest.h"
#include "platform/HttpResult.h"

namespace platform {

class HttpSession {
public:
    struct Options {
        // Tests shorten it; hosts keep the 60 seconds.
        std::chrono::milliseconds timeout = std::chrono::seconds(60);
        std::size_t maxResponseBytes = 8 * 1024 * 1024;
        // Trusted in addition to the system's certificate authorities.
        std::filesystem::path extraCaFile;
    };

    HttpSession();
    explicit HttpSession(Options options);
    // Shorthands for the usual single changes.
    static Options withTimeout(std::chrono::milliseconds timeout);
    static Options withExtraCa(std::filesystem::path caFile);
    static Options withMaxResponseBytes(std::size_t bytes);
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // Blocks the calling thread until the answer, a failure or the token's cancellation.
    HttpResult send(const HttpRequest& request, const CancellationToken& token);

    const Options& options() const { return options_; }

    // The request's URL with its query items appended, each name and value percent-encoded;
    // no value when the URL is not an absolute http or https URL.
    static std::optional<std::string> buildUrl(const HttpRequest& request);

private:
    struct Shared;
    Options options_;
    std::unique_ptr<Shared> shared_;
};

} // namespace platform
