#pragma once
// One HTTP request as the caller describes it. Query items keep their order and are
// percent-encoded by the session; the body is sent as given.
//
//   platform::HttpRequest request("POST", "https://host/api/items");
//   request.query = {{"Language", "EN"}};
//   request.headers = {{"Content-Type", "application/json"}};
//   request.body = R"({"a":1})";

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct HttpRequest {
    using Fields = std::vector<std::pair<std::string, std::string>>;

    HttpRequest() = default;
    HttpRequest(std::string method, std::string url) : method(std::move(method)), url(std::move(url)) {}
    static HttpRequest get(std::string url) { return HttpRequest("GET", std::move(url)); }

    std::string method = "GET";
    std::string url;
    Fields query;
    Fields headers;
    std::optional<std::string> body;
};

} // namespace platform
