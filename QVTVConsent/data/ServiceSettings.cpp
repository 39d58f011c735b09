#include "QVTVConsent/data/ServiceSettings.h"

#include <mutex>

#include "platform/NoDestructor.h"

namespace qvtv {
namespace {

struct State {
    std::mutex mutex;
    std::optional<std::string> baseUrl;
    std::shared_ptr<platform::HttpSession> session;
};

State& state() {
    static platform::NoDestructor<State> s;
    return *s;
}

// The endpoint paths are joined with "/", so a configured trailing slash would double it.
std::string withoutTrailingSlash(std::string url) {
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

} // namespace

std::string ServiceSettings::baseUrl() {
    std::lock_guard lock(state().mutex);
    return withoutTrailingSlash(state().baseUrl.value_or(QVTV_SERVICE_ORIGIN));
}

void ServiceSettings::setBaseUrl(std::optional<std::string> url) {
    std::lock_guard lock(state().mutex);
    state().baseUrl = std::move(url);
}

std::shared_ptr<platform::HttpSession> ServiceSettings::session() {
    std::lock_guard lock(state().mutex);
    if (!state().session) state().session = std::make_shared<platform::HttpSession>();
    return state().session;
}

void ServiceSettings::setSessionOptions(platform::HttpSession::Options options) {
    auto session = std::make_shared<platform::HttpSession>(std::move(options));
    std::lock_guard lock(state().mutex);
    state().session = std::move(session);
}

} // namespace qvtv
