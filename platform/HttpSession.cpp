#include "platform/HttpSession.h"

#include <curl/curl.h>

#include <array>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// One owner per libcurl handle kind; each frees its handle with the matching cleanup call.
template <auto Cleanup>
struct CurlDeleter {
    template <typename T>
    void operator()(T* handle) const { Cleanup(handle); }
};
using CurlEasy = std::unique_ptr<CURL, CurlDeleter<curl_easy_cleanup>>;
using CurlMulti = std::unique_ptr<CURLM, CurlDeleter<curl_multi_cleanup>>;
using CurlShare = std::unique_ptr<CURLSH, CurlDeleter<curl_share_cleanup>>;
using CurlHeaders = std::unique_ptr<curl_slist, CurlDeleter<curl_slist_free_all>>;
using CurlUrl = std::unique_ptr<CURLU, CurlDeleter<curl_url_cleanup>>;

// How often a stalled transfer looks at its cancellation token.
constexpr int pollIntervalMs = 20;

// Idle connection caches kept per session; the library runs at most two calls at once.
constexpr std::size_t maxIdleHandles = 4;

// Enough for a load balancer or CDN in front of the service, few enough to stop a loop early.
constexpr long maxRedirects = 5;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string percentEncode(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        out.push_back('%');
        out.push_back(hex[c >> 4]);
        out.push_back(hex[c & 0x0f]);
    }
    return out;
}

struct Transfer {
    const CancellationToken* token = nullptr;
    std::size_t cap = 0;
    bool tooLarge = false;
    std::string body;
};

size_t onData(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (transfer->body.size() + bytes > transfer->cap) {
        transfer->tooLarge = true;
        return 0;  // makes libcurl stop with a write error
    }
    transfer->body.append(data, bytes);
    return bytes;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->token->isCancelled() ? 1 : 0;
}

// The one place libcurl's result codes become our errors.
HttpFailure failureFor(CURLcode code, const Transfer& transfer) {
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        return {HttpError::responseTooLarge, "The response exceeded the maximum allowed size."};
    }
    if (transfer.token->isCancelled() || code == CURLE_ABORTED_BY_CALLBACK) return {HttpError::cancelled, "cancelled"};
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT: return {HttpError::timedOut, "The request timed out."};
    case CURLE_URL_MALFORMAT: return {HttpError::invalidUrl, "unsupported URL"};
    // The request's own URL was checked before sending, so only a redirect can lead elsewhere.
    case CURLE_UNSUPPORTED_PROTOCOL:
        return {HttpError::redirectRefused, "The server redirected to an insecure or unsupported URL."};
    case CURLE_TOO_MANY_REDIRECTS: return {HttpError::tooManyRedirects, "too many HTTP redirects"};
    case CURLE_BAD_CONTENT_ENCODING: return {HttpError::cannotDecodeContent, "The answer could not be decompressed."};
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return {HttpError::cannotFindHost, "A server with the specified hostname could not be found."};
    case CURLE_COULDNT_CONNECT: return {HttpError::cannotConnect, "Could not connect to the server."};
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return {HttpError::secureConnectionFailed,
                "An SSL error has occurred and a secure connection to the server cannot be made."};
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_WEIRD_SERVER_REPLY: return {HttpError::connectionLost, "The network connection was lost."};
    default:
        return {HttpError::unknown, std::string("The operation could not be completed. (") + curl_easy_strerror(code) + ")"};
    }
}

} // namespace

// State shared by every call of one session. DNS answers and TLS sessions live in a libcurl share
// object, which may be used from several threads at once given these lock callbacks. Connections
// may not be shared that way, so each transfer borrows a multi handle, whose connection cache only
// it uses until it gives the handle back: calls in sequence reuse the connections left open before,
// while calls at the same time each get a handle (and so connections) of their own.
struct HttpSession::Shared {
    CurlShare handle{curl_share_init()};
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;

    std::mutex idleMutex;
    std::vector<CurlMulti> idle;  // most recently returned last

    Shared() {
        curl_share_setopt(handle.get(), CURLSHOPT_LOCKFUNC, &Shared::lock);
        curl_share_setopt(handle.get(), CURLSHOPT_UNLOCKFUNC, &Shared::unlock);
        curl_share_setopt(handle.get(), CURLSHOPT_USERDATA, this);
        curl_share_setopt(handle.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        curl_share_setopt(handle.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    }
    // The multi handles close their connections first: closing may still reach the share.
    ~Shared() { idle.clear(); }

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* user) {
        static_cast<Shared*>(user)->locks[data].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* user) { static_cast<Shared*>(user)->locks[data].unlock(); }

    CurlMulti borrow() {
        {
            std::lock_guard guard(idleMutex);
            if (!idle.empty()) {
                CurlMulti multi = std::move(idle.back());
                idle.pop_back();
                return multi;
            }
        }
        return CurlMulti{curl_multi_init()};
    }

    void giveBack(CurlMulti multi) {
        std::lock_guard guard(idleMutex);
        // More idle handles than calls ever ran at once would only hold sockets open.
        if (idle.size() < maxIdleHandles) idle.push_back(std::move(multi));
    }
};

HttpSession::HttpSession() : HttpSession(Options{}) {}

HttpSession::HttpSession(Options options) : options_(std::move(options)) {
    initialiseCurlOnce();
    shared_ = std::make_unique<Shared>();
}

HttpSession::~HttpSession() = default;

HttpSession::Options HttpSession::withTimeout(std::chrono::milliseconds timeout) {
    Options options;
    options.timeout = timeout;
    return options;
}

HttpSession::Options HttpSession::withExtraCa(std::filesystem::path caFile) {
    Options options;
    options.extraCaFile = std::move(caFile);
    return options;
}

HttpSession::Options HttpSession::withMaxResponseBytes(std::size_t bytes) {
    Options options;
    options.maxResponseBytes = bytes;
    return options;
}

namespace {

// The URL's scheme in lower case, when it is an absolute URL libcurl can parse.
std::optional<std::string> schemeOf(const std::string& text) {
    initialiseCurlOnce();
    CurlUrl url{curl_url()};
    if (!url || curl_url_set(url.get(), CURLUPART_URL, text.c_str(), 0) != CURLUE_OK) return std::nullopt;
    char* scheme = nullptr;
    if (curl_url_get(url.get(), CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK) return std::nullopt;
    std::string schemeText = scheme;
    curl_free(scheme);
    return schemeText;
}

} // namespace

std::optional<std::string> HttpSession::buildUrl(const HttpRequest& request) {
    auto scheme = schemeOf(request.url);
    if (scheme != "http" && scheme != "https") return std::nullopt;

    // Appended by hand: libcurl would rewrite the escapes in lower case.
    std::string result = request.url;
    std::string fragment;
    if (auto hash = result.find('#'); hash != std::string::npos) {
        fragment = result.substr(hash);
        result.erase(hash);
    }
    for (const auto& [name, value] : request.query) {
        result += result.find('?') == std::string::npos ? '?' : '&';
        result += percentEncode(name) + "=" + percentEncode(value);
    }
    return result + fragment;
}

HttpResult HttpSession::send(const HttpRequest& request, const CancellationToken& token) {
    auto url = buildUrl(request);
    if (!url) return HttpFailure{HttpError::invalidUrl, "unsupported URL"};
    if (token.isCancelled()) return HttpFailure{HttpError::cancelled, "cancelled"};

    CurlEasy easy{curl_easy_init()};
    CurlMulti multi = shared_->borrow();
    if (!easy || !multi) return HttpFailure{HttpError::unknown, "The operation could not be completed. (out of memory)"};
    CURL* h = easy.get();

    Transfer transfer;
    transfer.token = &token;
    transfer.cap = options_.maxResponseBytes;
    CurlHeaders headers;
    auto addHeader = [&](const std::string& line) {
        curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
        if (grown) {
            headers.release();
            headers.reset(grown);
        }
    };
    for (const auto& [name, value] : request.headers) addHeader(name + ": " + value);
    // A body is sent at once; waiting for "100 Continue" only adds a round trip.
    addHeader("Expect:");

    curl_easy_setopt(h, CURLOPT_URL, url->c_str());
    curl_easy_setopt(h, CURLOPT_SHARE, shared_->handle.get());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(options_.timeout.count()));
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    // Setting the file replaces only the default bundle; the system's CA folder stays trusted.
    if (!options_.extraCaFile.empty()) curl_easy_setopt(h, CURLOPT_CAINFO, options_.extraCaFile.c_str());
    // Redirects are followed, but an answer that came over HTTPS never leads to plain HTTP.
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, maxRedirects);
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, schemeOf(*url) == "https" ? "https" : "http,https");
    // gzip only: cheap for a server to produce on every answer (a server that compresses each
    // answer with Brotli at its default quality spends longer on it than the round trip saves).
    // Decoding happens before onData, so the cap counts decoded bytes and a decompression bomb
    // fails like any other oversized answer.
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "gzip");
    // A declared length over the cap fails before any byte arrives. For a compressed answer that
    // is the length on the wire, which in practice decodes larger still.
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options_.maxResponseBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onData);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    if (request.method == "GET") {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    } else {
        if (request.method == "POST") curl_easy_setopt(h, CURLOPT_POST, 1L);
        else curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        const std::string_view body = request.body ? std::string_view(*request.body) : std::string_view("");
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.data());
    }

    // Our own loop rather than curl_easy_perform, so a stalled transfer notices cancellation
    // within one poll interval instead of libcurl's one second.
    curl_multi_add_handle(multi.get(), h);
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
        if (!running || token.isCancelled()) break;
        curl_multi_poll(multi.get(), nullptr, 0, pollIntervalMs, nullptr);
    }
    CURLcode code = CURLE_ABORTED_BY_CALLBACK;
    int pending = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi.get(), &pending)) {
        if (msg->msg == CURLMSG_DONE) code = msg->data.result;
    }
    curl_multi_remove_handle(multi.get(), h);
    long status = 0;
    if (code == CURLE_OK) curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    // The transfer is finished with before its connection cache can go to another thread.
    easy.reset();
    shared_->giveBack(std::move(multi));
    if (code != CURLE_OK) return failureFor(code, transfer);
    return HttpResponse{status, std::move(transfer.body)};
}

} // namespace platform
