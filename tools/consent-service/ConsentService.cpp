#include "tools/consent-service/ConsentService.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <zlib.h>

#include "platform/Uuid.h"

namespace consentservice {
namespace {

using Json = nlohmann::json;
using Kind = ServiceFault::Kind;

constexpr const char* noTemplatesText = "No associated legal templates found";

struct Answer {
    int status = 200;
    std::string body;
    std::string contentType = "application/json";
    bool fromFixture = false;  // the same for every request: compressed once, see Impl::compressed
};

// The body in gzip format, or nothing when zlib fails.
std::optional<std::string> gzip(const std::string& body) {
    z_stream stream{};
    // 15 window bits, plus 16 for a gzip header and trailer rather than zlib's.
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        return std::nullopt;
    }
    std::string out(deflateBound(&stream, body.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    stream.avail_in = static_cast<uInt>(body.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (rc != Z_STREAM_END) return std::nullopt;
    return out;
}

// Images are served with the type their extension names, anything else as plain text.
std::string contentTypeFor(const std::filesystem::path& file) {
    const std::string extension = file.extension().string();
    if (extension == ".png") return "image/png";
    if (extension == ".jpg" || extension == ".jpeg") return "image/jpeg";
    if (extension == ".svg") return "image/svg+xml";
    if (extension == ".html") return "text/html; charset=utf-8";
    return "text/plain";
}

std::optional<std::string> readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool isSafeName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string lowercase(std::string text) {
    for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string serviceError(const std::string& code, const std::string& message) {
    return Json{{"ResponseStatus", {{"ErrorCode", code}, {"Message", message}}}}.dump(2);
}

} // namespace

struct ConsentService::Impl {
    Options options;
    ServiceDatabase database;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    int port = 0;

    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::uint64_t clearings = 0;  // clearFaults calls so far: a pause begun before one ends
    std::map<ServiceEndpoint, ServiceFault> faults;
    std::vector<ReceivedRequest> received;
    std::mutex compressedMutex;
    std::unordered_map<std::string, std::shared_ptr<const std::string>> compressedBodies;  // by body

    explicit Impl(Options o) : options(std::move(o)), database(options.database) {}

    bool tls() const { return !options.tlsCert.empty() && !options.tlsKey.empty(); }

    // Waits for the given time, or less when the service stops or its faults are cleared after
    // `clearingsSeen` of them.
    void pause(std::chrono::milliseconds duration, std::uint64_t clearingsSeen) {
        std::unique_lock lock(mutex);
        wake.wait_for(lock, duration, [&] { return stopping || clearings != clearingsSeen; });
    }

    std::optional<ServiceFault> takeFault(ServiceEndpoint endpoint, std::uint64_t& clearingsSeen) {
        std::lock_guard lock(mutex);
        clearingsSeen = clearings;
        auto it = faults.find(endpoint);
        if (it == faults.end()) return std::nullopt;
        ServiceFault fault = it->second;
        if (it->second.times > 0 && --it->second.times == 0) faults.erase(it);
        return fault;
    }

    // Per application and language: "<app>/banner.de.json" when it exists, else "<app>/banner.json".
    std::optional<std::string> fixture(const std::string& applicationId, const std::string& name,
                                       const std::string& language) {
        if (!isSafeName(applicationId)) return std::nullopt;
        auto folder = options.fixtures / applicationId;
        if (!language.empty() && isSafeName(language)) {
            if (auto localised = readFile(folder / (name + "." + lowercase(language) + ".json"))) return localised;
        }
        return readFile(folder / (name + ".json"));
    }

    Answer templateAnswer(const httplib::Request& req, const std::string& name) {
        auto text = fixture(req.matches[1], name, req.get_param_value("Language"));
        if (!text) return {200, Json(noTemplatesText).dump()};
        return {200, *text, "application/json", true};
    }

    Answer consentDocument(const httplib::Request& req) {
        std::string app = req.get_param_value("MobileApplicationId");
        std::string session = req.get_param_value("ClientSessionId");
        if (auto stored = database.document(app, session)) return {200, *stored};
        auto text = fixture(app, "consent", "");
        if (!text) return {200, serviceError("QV_INVALID_APPLICATION", "The application id is not registered")};
        Json document = Json::parse(*text, nullptr, false);
        if (!document.is_object()) return {200, *text};
        // Each client session gets its own document and client id, made on its first request.
        document["autoClientId"] = platform::Uuid::make();
        std::string body = document.dump(2);
        database.saveDocument(app, session, body);
        return {200, body};
    }

    Answer consentPost(const httplib::Request& req) {
        Json body = Json::parse(req.body, nullptr, false);
        std::string app = body.is_object() ? body.value("MobileApplicationId", "") : "";
        std::string session = body.is_object() ? body.value("ClientSessionId", "") : "";
        database.record({ServiceEndpoint::consent, app, session, req.body, nowMs()});
        if (!body.is_object() || !body.contains("AllConsents")) {
            return {400, serviceError("QV_INVALID_REQUEST", "The consent body is not valid")};
        }
        // The session's document now carries the consent, as a real service would return it.
        if (auto stored = database.document(app, session)) {
            Json document = Json::parse(*stored, nullptr, false);
            if (document.is_object()) {
                document["MobilePackageConsents"] = body["AllConsents"];
                database.saveDocument(app, session, document.dump(2));
            }
        }
        return {200, ""};
    }

    Answer dataRequest(const httplib::Request& req) {
        Json body = Json::parse(req.body, nullptr, false);
        std::string app = body.is_object() ? body.value("MobileAppId", "") : "";
        database.record({ServiceEndpoint::dataRequest, app, "", req.body, nowMs()});
        if (!body.is_object()) return {400, serviceError("QV_INVALID_REQUEST", "The data request is not valid")};
        return {200, "{}"};
    }

    void serve(ServiceEndpoint endpoint, const httplib::Request& req, httplib::Response& res,
               Answer (Impl::*make)(const httplib::Request&)) {
        {
            std::lock_guard lock(mutex);
            auto query = req.target.find('?');
            received.push_back({req.method, req.path, query == std::string::npos ? "" : req.target.substr(query + 1)});
        }
        std::uint64_t clearingsSeen = 0;
        auto fault = takeFault(endpoint, clearingsSeen);
        if (fault && fault->latency.count() > 0) pause(fault->latency, clearingsSeen);
        if (fault && fault->kind == Kind::stall) pause(fault->stallFor, clearingsSeen);
        Answer answer = (this->*make)(req);
        if (fault) answer = applyFault(*fault, std::move(answer), res);
        res.status = answer.status;
        if (fault && fault->kind == Kind::dropConnection) return;
        if (answer.fromFixture && acceptsGzip(req)) {
            if (auto body = compressed(answer.body)) {
                // httplib compresses only the types it lists, and a charset keeps this one off
                // that list, so the body is not compressed a second time.
                res.set_content(*body, "application/json; charset=utf-8");
                res.set_header("Content-Encoding", "gzip");
                return;
            }
        }
        res.set_content(answer.body, answer.contentType);
    }

    static bool acceptsGzip(const httplib::Request& req) {
        return req.get_header_value("Accept-Encoding").find("gzip") != std::string::npos;
    }

    // Fixtures are static, as a real service's templates are behind its front end: each is
    // compressed once rather than on every request (the largest template took the service about
    // 1.4 ms a request to compress, a tenth of an initialisation's processor time).
    std::shared_ptr<const std::string> compressed(const std::string& body) {
        std::lock_guard lock(compressedMutex);
        auto& entry = compressedBodies[body];
        if (!entry) {
            auto zipped = gzip(body);
            if (!zipped) {
                compressedBodies.erase(body);
                return nullptr;
            }
            entry = std::make_shared<const std::string>(std::move(*zipped));
        }
        return entry;
    }

    Answer applyFault(const ServiceFault& fault, Answer answer, httplib::Response& res) {
        switch (fault.kind) {
        case Kind::none:
        case Kind::stall: return answer;
        case Kind::http500: return {500, answer.body};
        case Kind::responseStatusError: return {200, serviceError("QV_SERVICE_FAULT", "Injected service error")};
        case Kind::noTemplatesText: return {200, Json(noTemplatesText).dump()};
        case Kind::bareArray: return {200, R"([{"ErrorCode": "QV_SERVICE_FAULT"}])"};
        case Kind::emptyBody: return {200, ""};
        case Kind::invalidUtf8: return {200, "{\"Message\": \"\xC3\x28\xFF\xFE\"}"};
        case Kind::oversizedBody: return {200, std::string(1, '"').append(fault.oversizedBytes, 'x').append(1, '"')};
        case Kind::dropConnection:
            // The status line and headers go out, then the provider refuses and the connection closes.
            res.set_content_provider(1024, "application/json",
                                     [](size_t, size_t, httplib::DataSink&) { return false; });
            return {200, ""};
        }
        return answer;
    }

    void routes() {
        auto& s = *server;
        s.Get("/api/mobileconsent/dynamic", [this](const httplib::Request& q, httplib::Response& r) {
            serve(ServiceEndpoint::consentDocument, q, r, &Impl::consentDocument);
        });
        s.Get(R"(/api/mobilebanner/template/([^/]+))", [this](const httplib::Request& q, httplib::Response& r) {
            serve(ServiceEndpoint::bannerTemplate, q, r, &Impl::bannerTemplate);
        });
        s.Get(R"(/api/mobilepreferencecenter/template/([^/]+))",
              [this](const httplib::Request& q, httplib::Response& r) {
                  serve(ServiceEndpoint::preferenceCenterTemplate, q, r, &Impl::preferenceCenterTemplate);
              });
        s.Post("/api/mobileconsent", [this](const httplib::Request& q, httplib::Response& r) {
            serve(ServiceEndpoint::consent, q, r, &Impl::consentPost);
        });
        s.Post("/api/mobile/datarequest/submit", [this](const httplib::Request& q, httplib::Response& r) {
            serve(ServiceEndpoint::dataRequest, q, r, &Impl::dataRequest);
        });
        s.Get(R"(/images/([^/]+))", [this](const httplib::Request& q, httplib::Response& r) {
            serve(ServiceEndpoint::image, q, r, &Impl::imageFile);
        });
        adminRoutes();
    }

    Answer imageFile(const httplib::Request& req) {
        const std::string name = req.matches[1].str();
        const auto file = options.fixtures / "images" / name;
        auto body = isSafeName(name) ? readFile(file) : std::nullopt;
        if (!body) return {404, "Not found", "text/plain"};
        return {200, std::move(*body), contentTypeFor(file)};
    }

    Answer bannerTemplate(const httplib::Request& req) { return templateAnswer(req, "banner"); }
    Answer preferenceCenterTemplate(const httplib::Request& req) { return templateAnswer(req, "preference-center"); }

    void adminRoutes();
    ConsentService* owner = nullptr;
};

void ConsentService::Impl::adminRoutes() {
    auto& s = *server;
    auto json = [](httplib::Response& r, const Json& value, int status = 200) {
        r.status = status;
        r.set_content(value.dump(2), "application/json");
    };
    s.Put(R"(/_admin/faults/([a-z-]+))", [this, json](const httplib::Request& q, httplib::Response& r) {
        auto endpoint = endpointNamed(q.matches[1].str());
        Json body = Json::parse(q.body.empty() ? "{}" : q.body, nullptr, false);
        auto kind = body.is_object() ? kindNamed(body.value("kind", "none")) : std::nullopt;
        if (!endpoint || !kind) return json(r, {{"error", "unknown endpoint or fault kind"}}, 400);
        ServiceFault fault;
        fault.kind = *kind;
        fault.latency = std::chrono::milliseconds(body.value("latencyMs", 0));
        fault.times = body.value("times", -1);
        fault.stallFor = std::chrono::milliseconds(body.value("stallMs", 65000));
        fault.oversizedBytes = body.value("bytes", fault.oversizedBytes);
        owner->setFault(*endpoint, fault);
        json(r, {{"endpoint", endpointName(*endpoint)}, {"kind", kindName(*kind)}});
    });
    s.Delete("/_admin/faults", [this, json](const httplib::Request&, httplib::Response& r) {
        owner->clearFaults();
        json(r, Json::object());
    });
    s.Get("/_admin/submissions", [this, json](const httplib::Request& q, httplib::Response& r) {
        std::optional<ServiceEndpoint> filter;
        if (q.has_param("endpoint")) {
            filter = endpointNamed(q.get_param_value("endpoint"));
            if (!filter) return json(r, {{"error", "unknown endpoint"}}, 400);
        }
        Json list = Json::array();
        for (const auto& s : database.submissions(filter)) {
            Json body = Json::parse(s.body, nullptr, false);
            list.push_back({{"endpoint", endpointName(s.endpoint)},
                            {"applicationId", s.applicationId},
                            {"clientSessionId", s.clientSessionId},
                            {"receivedAtMs", s.receivedAtMs},
                            {"body", body.is_discarded() ? Json(s.body) : body}});
        }
        json(r, list);
    });
    s.Delete("/_admin/submissions", [this, json](const httplib::Request&, httplib::Response& r) {
        database.clearSubmissions();
        json(r, Json::object());
    });
    s.Get("/_admin/requests", [this, json](const httplib::Request&, httplib::Response& r) {
        Json list = Json::array();
        for (const auto& q : owner->requests()) list.push_back({{"method", q.method}, {"path", q.path}, {"query", q.query}});
        json(r, list);
    });
    s.Delete("/_admin/requests", [this, json](const httplib::Request&, httplib::Response& r) {
        owner->clearRequests();
        json(r, Json::object());
    });
}

ConsentService::ConsentService(Options options) : impl_(std::make_unique<Impl>(std::move(options))) {
    impl_->owner = this;
    if (impl_->tls()) {
        impl_->server = std::make_unique<httplib::SSLServer>(impl_->options.tlsCert.c_str(), impl_->options.tlsKey.c_str());
    } else {
        impl_->server = std::make_unique<httplib::Server>();
    }
    // Without it, Nagle's algorithm and delayed acknowledgements add about 40 ms to every
    // keep-alive answer and falsify latency figures.
    impl_->server->set_tcp_nodelay(true);
    impl_->server->set_keep_alive_max_count(10000);
    // Stopping waits for idle keep-alive connections to time out; keep that short.
    impl_->server->set_keep_alive_timeout(1);
    impl_->routes();
}

ConsentService::~ConsentService() { stop(); }

bool ConsentService::start() {
    if (!impl_->server->is_valid()) return false;
    int port = impl_->options.port == 0 ? impl_->server->bind_to_any_port("127.0.0.1")
                                        : (impl_->server->bind_to_port("127.0.0.1", impl_->options.port)
                                               ? impl_->options.port
                                               : -1);
    if (port <= 0) return false;
    impl_->port = port;
    impl_->thread = std::thread([this] { impl_->server->listen_after_bind(); });
    while (!impl_->server->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void ConsentService::stop() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->wake.notify_all();
    impl_->server->stop();
    if (impl_->thread.joinable() && impl_->thread.get_id() != std::this_thread::get_id()) impl_->thread.join();
}

int ConsentService::port() const { return impl_->port; }

std::string ConsentService::origin() const {
    return std::string(impl_->tls() ? "https" : "http") + "://127.0.0.1:" + std::to_string(impl_->port);
}

std::string ConsentService::baseUrl() const { return origin() + "/api"; }

void ConsentService::setFault(ServiceEndpoint endpoint, ServiceFault fault) {
    std::lock_guard lock(impl_->mutex);
    if (fault.times == 0) return;
    impl_->faults[endpoint] = fault;
}

void ConsentService::clearFaults() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->faults.clear();
        ++impl_->clearings;
    }
    impl_->wake.notify_all();
}

std::vector<Submission> ConsentService::submissions(std::optional<ServiceEndpoint> endpoint) {
    return impl_->database.submissions(endpoint);
}

void ConsentService::clearSubmissions() { impl_->database.clearSubmissions(); }

std::vector<ReceivedRequest> ConsentService::requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->received;
}

void ConsentService::clearRequests() {
    std::lock_guard lock(impl_->mutex);
    impl_->received.clear();
}

} // namespace consentservice
