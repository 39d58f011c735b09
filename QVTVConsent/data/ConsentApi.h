#pragma once
// The one HTTP client of the consent service. A call sends a JSON request and turns the answer
// into an ApiResult: the record it expected, a structured service error, or a failure message.
// The body decides; the HTTP status only keeps an empty answer to a failed request from counting
// as success. It never throws and never retries.
//
//   qvtv::ConsentApi api;
//   auto banner = api.call<QVConsentBannerData>(qvtv::HttpMethod::get, qvtv::ServiceSettings::baseUrl(),
//       "mobilebanner/template/" + appId, {}, {{"Language", "EN"}, {"Location", "EU"}}, std::nullopt, false);

#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "QVTVConsent/data/ApiDecoder.h"
#include "QVTVConsent/data/ApiResult.h"
#include "QVTVConsent/data/HttpMethod.h"
#include "QVTVConsent/data/Utf8.h"
#include "platform/HttpSession.h"
#include "platform/Task.h"

namespace qvtv {

class ConsentApi {
public:
    using Fields = platform::HttpRequest::Fields;

    // The message of every failure that has no more specific text.
    static constexpr std::string_view internalError = "Internal server error, please contact support";

    // Uses the library's shared session (ServiceSettings) at the time of each call.
    ConsentApi() = default;
    explicit ConsentApi(std::shared_ptr<platform::HttpSession> session) : session_(std::move(session)) {}

    // Blocks until the answer; `token` abandons the request (a failure, like a lost connection).
    template <class T>
    ApiResult<T> call(HttpMethod type, const std::string& baseUrl, const std::string& api, const Fields& headers,
                      const Fields& params, const std::optional<nlohmann::json>& body, bool handleEmptyBodyAsSuccess,
                      const platform::CancellationToken& token = {}) const;

    // A request's answer before decoding: its body, or the failure that left none. Sending and
    // decoding apart let a request go out before what its decoding needs has arrived (the
    // preference center is built over the banner's categories).
    struct Exchange {
        std::optional<std::string> failure;         // the failure message when there is no body
        std::optional<std::string> transportError;  // logged when the answer is used, not when dropped
        long status = 0;                            // the HTTP status when there is a body
        std::string body;
    };
    Exchange send(HttpMethod type, const std::string& baseUrl, const std::string& api, const Fields& headers,
                  const Fields& params, const std::optional<nlohmann::json>& body,
                  const platform::CancellationToken& token = {}) const;
    // The outcome of a sent request; `decodeRecord(object)` returns Result<T> and takes the place
    // of ApiDecoder<T>.
    template <class T, class Decoder>
    static ApiResult<T> received(Exchange answer, bool handleEmptyBodyAsSuccess, Decoder decodeRecord);

    // Steps after the transport: the answer body alone decides the outcome. Public so the
    // decision can be exercised on arbitrary bytes (the fuzz target) without a server.
    template <class T>
    static ApiResult<T> decode(const std::string& body, bool handleEmptyBodyAsSuccess) {
        return decode<T>(body, handleEmptyBodyAsSuccess, [](const nlohmann::json& object) {
            return ApiDecoder<T>::decode(object);
        });
    }
    template <class T, class Decoder>
    static ApiResult<T> decode(const std::string& body, bool handleEmptyBodyAsSuccess, Decoder decodeRecord);

    // The same call on the global queue.
    template <class T>
    platform::Task<ApiResult<T>> callAsync(HttpMethod type, std::string baseUrl, std::string api, Fields headers,
                                           Fields params, std::optional<nlohmann::json> body,
                                           bool handleEmptyBodyAsSuccess) const;

private:
    static void logTransportError(const std::string& description);
    static void logEmptyErrorAnswer(long status);
    // A parsed JSON value, or none after logging the parse error.
    static std::optional<nlohmann::json> parse(const std::string& body);
    // The error under "ResponseStatus", or none when it is not usable.
    static std::optional<QVApiError> responseStatusError(const nlohmann::json& responseStatus);
    static void logDecodingError(const QVError& error);
    // The error recognised in the raw body, or none when the answer is unusable (then logged).
    static std::optional<QVApiError> rawBodyError(const std::string& body);

    template <class T>
    static ApiResult<T> fallback(const std::string& body) {
        if (auto error = rawBodyError(body)) return ApiResult<T>::apiError(std::move(*error));
        return ApiResult<T>::failure(std::string(internalError));
    }

    std::shared_ptr<platform::HttpSession> session_;
};

template <class T>
ApiResult<T> ConsentApi::call(HttpMethod type, const std::string& baseUrl, const std::string& api,
                              const Fields& headers, const Fields& params, const std::optional<nlohmann::json>& body,
                              bool handleEmptyBodyAsSuccess, const platform::CancellationToken& token) const {
    return received<T>(send(type, baseUrl, api, headers, params, body, token), handleEmptyBodyAsSuccess,
                       [](const nlohmann::json& object) { return ApiDecoder<T>::decode(object); });
}

template <class T, class Decoder>
ApiResult<T> ConsentApi::received(Exchange answer, bool handleEmptyBodyAsSuccess, Decoder decodeRecord) {
    if (answer.transportError) logTransportError(*answer.transportError);
    if (answer.failure) return ApiResult<T>::failure(std::move(*answer.failure));
    // Nothing in the body says what went wrong, but the status does: an empty answer to a
    // request the service did not accept must never pass as done.
    if (answer.body.empty() && (answer.status < 200 || answer.status > 299)) {
        logEmptyErrorAnswer(answer.status);
        return ApiResult<T>::failure(std::string(internalError));
    }
    return decode<T>(answer.body, handleEmptyBodyAsSuccess, std::move(decodeRecord));
}

template <class T, class Decoder>
ApiResult<T> ConsentApi::decode(const std::string& body, bool handleEmptyBodyAsSuccess, Decoder decodeRecord) {
    if (!Utf8::isValid(body)) return ApiResult<T>::failure(std::string(internalError));
    if (body.empty() && handleEmptyBodyAsSuccess) {
        auto empty = decodeRecord(nlohmann::json::object());
        if (empty) return ApiResult<T>::success(std::move(*empty));
        logDecodingError(empty.error());
        return fallback<T>(body);
    }
    auto parsed = parse(body);
    if (!parsed || !parsed->is_object()) return fallback<T>(body);
    if (auto status = parsed->find("ResponseStatus"); status != parsed->end()) {
        if (auto error = responseStatusError(*status)) return ApiResult<T>::apiError(std::move(*error));
        return fallback<T>(body);
    }
    auto record = decodeRecord(*parsed);
    if (record) return ApiResult<T>::success(std::move(*record));
    logDecodingError(record.error());
    return fallback<T>(body);
}

template <class T>
platform::Task<ApiResult<T>> ConsentApi::callAsync(HttpMethod type, std::string baseUrl, std::string api,
                                                   Fields headers, Fields params, std::optional<nlohmann::json> body,
                                                   bool handleEmptyBodyAsSuccess) const {
    return platform::Task<ApiResult<T>>::run(
        platform::DispatchQueue::global(),
        [self = *this, type, baseUrl = std::move(baseUrl), api = std::move(api), headers = std::move(headers),
         params = std::move(params), body = std::move(body),
         handleEmptyBodyAsSuccess](const platform::CancellationToken& token) {
            return self.call<T>(type, baseUrl, api, headers, params, body, handleEmptyBodyAsSuccess, token);
        });
}

} // namespace qvtv
