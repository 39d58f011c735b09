#pragma once
// The outcome of one HTTP exchange: either the server's answer (any status) or a transport
// failure with our own error code and a readable description.
//
//   platform::HttpResult r = session.send(request, token);
//   if (!r.ok()) log(r.failure().description);
//   else use(r.response().status, r.response().body);

#include <string>
#include <variant>

namespace platform {

enum class HttpError {
    invalidUrl,
    cancelled,
    timedOut,
    cannotFindHost,
    cannotConnect,
    secureConnectionFailed,
    connectionLost,
    responseTooLarge,
    tooManyRedirects,
    redirectRefused,      // to an insecure (HTTPS down to HTTP) or unsupported URL
    cannotDecodeContent,  // a compressed answer that does not decompress
    unknown,
};

struct HttpResponse {
    long status = 0;
    std::string body;
};

struct HttpFailure {
    HttpError error = HttpError::unknown;
    std::string description;
};

class [[nodiscard]] HttpResult {
public:
    HttpResult(HttpResponse response) : value_(std::move(response)) {}
    HttpResult(HttpFailure failure) : value_(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<HttpResponse>(value_); }
    const HttpResponse& response() const { return std::get<HttpResponse>(value_); }
    HttpResponse& response() { return std::get<HttpResponse>(value_); }
    const HttpFailure& failure() const { return std::get<HttpFailure>(value_); }

private:
    std::variant<HttpResponse, HttpFailure> value_;
};

} // namespace platform
