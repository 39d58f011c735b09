#include "QVTVConsent/data/ConsentApi.h"

#include "QVTVConsent/data/ServiceSettings.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/core/JsonUtils.h"

namespace qvtv {
namespace {

constexpr std::string_view tag = "ApiHelper";
// Answers can be megabytes; a log line keeps their start.
constexpr std::size_t maxLoggedBodyChars = 2048;

bool errorLogsEnabled() { return QVLogger::ERROR_LOGS_ENABLED.load(std::memory_order_relaxed); }

std::string loggedBody(const std::string& body) {
    if (body.size() <= maxLoggedBodyChars) return body;
    // Cut on a character boundary so the line stays valid UTF-8.
    std::size_t cut = maxLoggedBodyChars;
    while (cut > 0 && (static_cast<unsigned char>(body[cut]) & 0xC0) == 0x80) --cut;
    return body.substr(0, cut) + "... (" + std::to_string(body.size()) + " bytes)";
}

} // namespace

ConsentApi::Exchange ConsentApi::send(HttpMethod type, const std::string& baseUrl, const std::string& api,
                                      const Fields& headers, const Fields& params,
                                      const std::optional<nlohmann::json>& body,
                                      const platform::CancellationToken& token) const {
    platform::HttpRequest request(std::string(httpMethodName(type)), baseUrl + "/" + api);
    request.query = params;
    if (!platform::HttpSession::buildUrl(request)) return {std::string(internalError), std::nullopt, 0, {}};

    request.headers.emplace_back("Accept", "application/json");
    // A caller's field replaces ours of the same name.
    for (const auto& header : headers) {
        std::erase_if(request.headers, [&](const auto& field) { return field.first == header.first; });
        request.headers.push_back(header);
    }
    if (type == HttpMethod::post) {
        std::erase_if(request.headers, [](const auto& field) { return field.first == "Content-Type"; });
        request.headers.emplace_back("Content-Type", "application/json");
        if (body) {
            auto text = JsonUtils::jsonString(*body, "ConsentApi");
            if (!text) {
                return {std::string(internalError) + ": " + text.error().localizedDescription(), std::nullopt, 0, {}};
            }
            request.body = std::move(*text);
        }
    }

    auto session = session_ ? session_ : ServiceSettings::session();
    auto result = session->send(request, token);
    if (!result.ok()) {
        const auto& description = result.failure().description;
        return {std::string(internalError) + ": " + description, description, 0, {}};
    }
    return {std::nullopt, std::nullopt, result.response().status, std::move(result.response().body)};
}

void ConsentApi::logTransportError(const std::string& description) {
    QVLogger::e(tag, "Error: API call failed (" + description + ") - " + description);
}

void ConsentApi::logEmptyErrorAnswer(long status) {
    if (errorLogsEnabled()) {
        QVLogger::e(tag, "Error: API call failed (HTTP status " + std::to_string(status) + " with an empty body)");
    }
}

std::optional<nlohmann::json> ConsentApi::parse(const std::string& body) {
    try {
        return nlohmann::json::parse(body);
    } catch (const nlohmann::json::exception& error) {
        if (errorLogsEnabled()) QVLogger::e(tag, std::string("JSON parsing error: ") + error.what());
        return std::nullopt;
    }
}

std::optional<QVApiError> ConsentApi::responseStatusError(const nlohmann::json& responseStatus) {
    if (errorLogsEnabled()) QVLogger::e(tag, "ResponseStatus is not nil: " + JsonUtils::describe(&responseStatus));
    auto error = QVApiError::make(&responseStatus, "");
    if (!error) return std::nullopt;
    return std::move(*error);
}

void ConsentApi::logDecodingError(const QVError& error) {
    if (errorLogsEnabled()) QVLogger::e(tag, "Decoding error: " + error.localizedDescription());
}

std::optional<QVApiError> ConsentApi::rawBodyError(const std::string& body) {
    // Like raw bytes, the body is described by its size wherever the value itself would be printed.
    nlohmann::json bytes = std::to_string(body.size()) + " bytes";
    auto error = QVApiError::make(&bytes, body);
    if (error) {
        if (errorLogsEnabled()) {
            QVLogger::e(tag, "QVApiError(" + bytes.get<std::string>() + "): " + error->description());
        }
        return std::move(*error);
    }
    if (errorLogsEnabled()) QVLogger::e(tag, std::string(internalError) + ": " + loggedBody(body));
    return std::nullopt;
}

} // namespace qvtv
