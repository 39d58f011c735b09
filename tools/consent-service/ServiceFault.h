#pragma once
// What the local consent service should do wrong, per endpoint: added latency and one kind of
// broken answer, for a number of requests or until cleared. Tests use it to drive every failure
// path of the client over a real connection.
//
//   ServiceFault fault;
//   fault.kind = ServiceFault::Kind::stall;
//   fault.times = 1;
//   service.setFault(ServiceEndpoint::bannerTemplate, fault);

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace consentservice {

// `image` is the logo files under /images, which the service also hosts.
enum class ServiceEndpoint { consentDocument, bannerTemplate, preferenceCenterTemplate, consent, dataRequest, image };

std::string_view endpointName(ServiceEndpoint endpoint);
std::optional<ServiceEndpoint> endpointNamed(std::string_view name);

struct ServiceFault {
    enum class Kind {
        none,                 // only the latency, if any
        stall,                // hold the answer past the client's time-out
        http500,              // status 500 with the normal, valid body
        responseStatusError,  // status 200 with an error object under "ResponseStatus"
        noTemplatesText,      // the bare no-templates text as a JSON string
        bareArray,            // a JSON array
        emptyBody,
        invalidUtf8,
        oversizedBody,        // larger than the client's answer cap
        dropConnection,       // headers, then the connection closes
    };

    Kind kind = Kind::none;
    std::chrono::milliseconds latency{0};
    // How many requests it applies to; negative means until cleared.
    int times = -1;
    std::chrono::milliseconds stallFor = std::chrono::seconds(65);
    std::size_t oversizedBytes = 9 * 1024 * 1024;
};

std::string_view kindName(ServiceFault::Kind kind);
std::optional<ServiceFault::Kind> kindNamed(std::string_view name);

} // namespace consentservice
