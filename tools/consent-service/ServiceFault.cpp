#include "tools/consent-service/ServiceFault.h"

#include <array>
#include <utility>

namespace consentservice {
namespace {

constexpr std::array endpointNames{
    std::pair{ServiceEndpoint::consentDocument, std::string_view("consent-document")},
    std::pair{ServiceEndpoint::bannerTemplate, std::string_view("banner")},
    std::pair{ServiceEndpoint::preferenceCenterTemplate, std::string_view("preference-center")},
    std::pair{ServiceEndpoint::consent, std::string_view("consent")},
    std::pair{ServiceEndpoint::dataRequest, std::string_view("data-request")},
    std::pair{ServiceEndpoint::image, std::string_view("image")},
};

using Kind = ServiceFault::Kind;
constexpr std::array kindNames{
    std::pair{Kind::none, std::string_view("none")},
    std::pair{Kind::stall, std::string_view("stall")},
    std::pair{Kind::http500, std::string_view("http500")},
    std::pair{Kind::responseStatusError, std::string_view("response-status-error")},
    std::pair{Kind::noTemplatesText, std::string_view("no-templates")},
    std::pair{Kind::bareArray, std::string_view("bare-array")},
    std::pair{Kind::emptyBody, std::string_view("empty-body")},
    std::pair{Kind::invalidUtf8, std::string_view("invalid-utf8")},
    std::pair{Kind::oversizedBody, std::string_view("oversized-body")},
    std::pair{Kind::dropConnection, std::string_view("drop-connection")},
};

template <typename Table, typename Value>
std::string_view nameIn(const Table& table, Value value) {
    for (const auto& [v, name] : table) {
        if (v == value) return name;
    }
    return {};
}

template <typename Value, typename Table>
std::optional<Value> valueIn(const Table& table, std::string_view name) {
    for (const auto& [v, n] : table) {
        if (n == name) return v;
    }
    return std::nullopt;
}

} // namespace

std::string_view endpointName(ServiceEndpoint endpoint) { return nameIn(endpointNames, endpoint); }
std::optional<ServiceEndpoint> endpointNamed(std::string_view name) {
    return valueIn<ServiceEndpoint>(endpointNames, name);
}
std::string_view kindName(ServiceFault::Kind kind) { return nameIn(kindNames, kind); }
std::optional<ServiceFault::Kind> kindNamed(std::string_view name) { return valueIn<Kind>(kindNames, name); }

} // namespace consentservice
