#pragma once
// Where the library's service client goes and how its HTTP session is set up. Hosts never touch
// it: the base URL is the build's QVTV_SERVICE_ORIGIN. Tests and tools point the client at the
// local consent service and trust its throw-away CA here.
//
//   qvtv::ServiceSettings::setBaseUrl(service.baseUrl());
//   qvtv::ServiceSettings::setSessionOptions(platform::HttpSession::withExtraCa(caFile));

#include <memory>
#include <optional>
#include <string>

#include "platform/HttpSession.h"

namespace qvtv {

class ServiceSettings {
public:
    // The override when set, else the build constant; never ends in "/".
    static std::string baseUrl();
    static void setBaseUrl(std::optional<std::string> url);

    // One session for the whole library, so connections and TLS sessions are reused.
    static std::shared_ptr<platform::HttpSession> session();
    // Replaces the shared session; calls already running keep the old one.
    static void setSessionOptions(platform::HttpSession::Options options);
};

} // namespace qvtv
