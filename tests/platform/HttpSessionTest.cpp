#include "platform/HttpSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <zlib.h>

#include "support/LoopbackServer.h"
#include "support/TestCertificates.h"

using namespace std::chrono_literals;
using platform::HttpError;
using platform::HttpRequest;
using platform::HttpSession;

namespace {

// Handlers that stall wait on this, so the server can shut down without waiting out the stall.
class Stall {
public:
    void wait(std::chrono::milliseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (!released_ && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
    }
    void release() { released_ = true; }
    ~Stall() { release(); }

private:
    std::atomic<bool> released_{false};
};

void addEcho(httplib::Server& server) {
    auto echo = [](const httplib::Request& req, httplib::Response& res) {
        std::string text = req.method + " " + req.target + "\n" + req.get_header_value("Content-Type") + "\n" +
                           req.get_header_value("X-Extra") + "\n" + req.body + "\nport " +
                           std::to_string(req.remote_port);
        res.status = 201;
        res.set_content(text, "text/plain");
    };
    server.Get("/echo", echo);
    server.Post("/echo", echo);
}

// `size` bytes of `fill` in gzip format, compressed a piece at a time so a large answer needs
// no large buffer.
std::string gzipped(std::size_t size, char fill) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY), Z_OK);
    const std::string piece(64 * 1024, fill);
    std::string out;
    char buffer[16 * 1024];
    for (std::size_t left = size;;) {
        const std::size_t now = std::min(left, piece.size());
        left -= now;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
        stream.avail_in = static_cast<uInt>(now);
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int rc;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof buffer;
            rc = deflate(&stream, flush);
            out.append(buffer, sizeof buffer - stream.avail_out);
        } while (stream.avail_out == 0);
        if (rc == Z_STREAM_END) break;
    }
    deflateEnd(&stream);
    return out;
}

} // namespace

TEST(HttpSession, BuildsQueryInOrderWithEveryItemEscaped) {
    auto request = HttpRequest::get("http://127.0.0.1:1/api/x?keep=1#frag");
    request.query = {{"Z", "a b"}, {"A", "x&y=z"}, {"Plus", "+/é"}};
    EXPECT_EQ(HttpSession::buildUrl(request),
              "http://127.0.0.1:1/api/x?keep=1&Z=a%20b&A=x%26y%3Dz&Plus=%2B%2F%C3%A9#frag");
    EXPECT_FALSE(HttpSession::buildUrl(HttpRequest::get("not a url")));
    EXPECT_FALSE(HttpSession::buildUrl(HttpRequest::get("ftp://127.0.0.1/x")));
}

TEST(HttpSession, SendsMethodHeadersAndBodyAndReusesTheConnection) {
    testsupport::LoopbackServer server;
    addEcho(server.server());
    server.start();

    HttpSession session;
    platform::CancellationToken token;
    HttpRequest post("POST", server.origin() + "/echo");
    post.query = {{"b", "2"}, {"a", "1"}};
    post.headers = {{"Content-Type", "application/json"}, {"X-Extra", "yes"}};
    post.body = R"({"k": "v"})";
    auto first = session.send(post, token);
    ASSERT_TRUE(first.ok()) << first.failure().description;
    EXPECT_EQ(first.response().status, 201);
    auto text = first.response().body;
    EXPECT_EQ(text.substr(0, text.find("\nport")), "POST /echo?b=2&a=1\napplication/json\nyes\n{\"k\": \"v\"}");

    auto second = session.send(HttpRequest::get(server.origin() + "/echo"), token);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.response().body.substr(0, 11), "GET /echo\n\n");
    // The same client port means the keep-alive connection was reused.
    auto port = [](const std::string& body) { return body.substr(body.find("\nport")); };
    EXPECT_EQ(port(first.response().body), port(second.response().body));
}

TEST(HttpSession, HttpsNeedsTheTestAuthorityAndVerifiesTheHost) {
    testsupport::LoopbackServer server(/*tls=*/true);
    server.server().Get("/hello", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("secure", "text/plain");
    });
    server.start();
    platform::CancellationToken token;

    HttpSession trusting(HttpSession::withExtraCa(testsupport::TestCertificates::shared().caCert));
    auto ok = trusting.send(HttpRequest::get(server.origin() + "/hello"), token);
    ASSERT_TRUE(ok.ok()) << ok.failure().description;
    EXPECT_EQ(ok.response().body, "secure");

    HttpSession plain;
    auto refused = plain.send(HttpRequest::get(server.origin() + "/hello"), token);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().error, HttpError::secureConnectionFailed);
    EXPECT_EQ(refused.failure().description,
              "An SSL error has occurred and a secure connection to the server cannot be made.");
}

// Threads that share one session, over HTTP and over TLS: the first calls of all threads are held
// by the server until every one has arrived, so they are truly in flight together. Each thread
// gets its own answers, and later calls reuse the connections instead of opening new ones.
TEST(HttpSession, CallsFromSeveralThreadsAtOnceEachGetTheirAnswer) {
    constexpr int threads = 4;
    constexpr int rounds = 6;
    for (bool tls : {false, true}) {
        SCOPED_TRACE(tls ? "https" : "http");
        // What the handler touches is declared before the server, so it outlives the server's
        // threads: a client has its answer before the handler's thread has let go of them.
        std::mutex mutex;
        std::condition_variable allArrived;
        int arrived = 0;
        int waitedAlone = 0;
        testsupport::LoopbackServer server(tls);
        server.server().set_keep_alive_max_count(100);
        server.server().set_keep_alive_timeout(120);
        server.server().Get("/id", [&](const httplib::Request& req, httplib::Response& res) {
            if (req.get_param_value("round") == "0") {
                std::unique_lock lock(mutex);
                if (++arrived == threads) allArrived.notify_all();
                if (!allArrived.wait_for(lock, 20s, [&] { return arrived == threads; })) ++waitedAlone;
            }
            res.set_content(req.get_param_value("thread") + "/" + req.get_param_value("round") + " port " +
                                std::to_string(req.remote_port),
                            "text/plain");
        });
        server.start();

        HttpSession session(tls ? HttpSession::withExtraCa(testsupport::TestCertificates::shared().caCert)
                                : HttpSession::Options{});
        std::vector<std::vector<std::string>> answers(threads);
        std::vector<std::thread> senders;
        for (int t = 0; t < threads; ++t) {
            senders.emplace_back([&, t] {
                platform::CancellationToken token;
                for (int round = 0; round < rounds; ++round) {
                    auto request = HttpRequest::get(server.origin() + "/id");
                    request.query = {{"thread", std::to_string(t)}, {"round", std::to_string(round)}};
                    auto result = session.send(request, token);
                    answers[t].push_back(result.ok() ? result.response().body : "failed: " + result.failure().description);
                }
            });
        }
        for (auto& sender : senders) sender.join();

        {
            std::lock_guard lock(mutex);
            EXPECT_EQ(waitedAlone, 0) << "the first calls did not overlap";
        }
        std::set<std::string> ports;
        for (int t = 0; t < threads; ++t) {
            ASSERT_EQ(answers[t].size(), std::size_t(rounds));
            for (int round = 0; round < rounds; ++round) {
                const auto& body = answers[t][round];
                EXPECT_EQ(body.substr(0, body.find(" port")), std::to_string(t) + "/" + std::to_string(round));
                if (auto port = body.find(" port"); port != std::string::npos) ports.insert(body.substr(port));
            }
        }
        EXPECT_LE(ports.size(), std::size_t(threads)) << "connections were not reused";
    }
}

TEST(HttpSession, AnswerOverTheCapFailsWithAndWithoutLength) {
    testsupport::LoopbackServer server;
    server.server().Get("/big", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(64 * 1024, 'x'), "text/plain");
    });
    server.server().Get("/chunked", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [](size_t offset, httplib::DataSink& sink) {
            std::string piece(4096, 'y');
            sink.write(piece.data(), piece.size());
            if (offset > 60 * 1024) sink.done();
            return true;
        });
    });
    server.server().Get("/small", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(1000, 'z'), "text/plain");
    });
    server.start();
    HttpSession session(HttpSession::withMaxResponseBytes(16 * 1024));
    platform::CancellationToken token;
    for (const char* path : {"/big", "/chunked"}) {
        auto result = session.send(HttpRequest::get(server.origin() + path), token);
        ASSERT_FALSE(result.ok()) << path;
        EXPECT_EQ(result.failure().error, HttpError::responseTooLarge) << path;
    }
    auto small = session.send(HttpRequest::get(server.origin() + "/small"), token);
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(small.response().body.size(), 1000u);
}

TEST(HttpSession, CancellationAndTimeOutEndAStalledCallPromptly) {
    Stall stall;
    testsupport::LoopbackServer server;
    server.server().Get("/stall", [&](const httplib::Request&, httplib::Response& res) {
        stall.wait(10s);
        res.set_content("late", "text/plain");
    });
    server.start();

    HttpSession session;
    platform::CancellationToken token;
    std::thread canceller([token] {
        std::this_thread::sleep_for(150ms);
        token.cancel();
    });
    auto start = std::chrono::steady_clock::now();
    auto cancelled = session.send(HttpRequest::get(server.origin() + "/stall"), token);
    auto cancelTook = std::chrono::steady_clock::now() - start;
    canceller.join();
    ASSERT_FALSE(cancelled.ok());
    EXPECT_EQ(cancelled.failure().error, HttpError::cancelled);
    EXPECT_LT(cancelTook, 2s);

    HttpSession impatient(HttpSession::withTimeout(200ms));
    platform::CancellationToken fresh;
    auto timedOut = impatient.send(HttpRequest::get(server.origin() + "/stall"), fresh);
    ASSERT_FALSE(timedOut.ok());
    EXPECT_EQ(timedOut.failure().error, HttpError::timedOut);
    EXPECT_EQ(timedOut.failure().description, "The request timed out.");
    stall.release();
}

TEST(HttpSession, UnreachableServerIsAFailureValue) {
    int port;
    {
        testsupport::LoopbackServer closed;
        closed.start();
        port = closed.port();
    }
    HttpSession session;
    platform::CancellationToken token;
    auto result = session.send(HttpRequest::get("http://127.0.0.1:" + std::to_string(port) + "/x"), token);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().error, HttpError::cannotConnect);
    auto invalid = session.send(HttpRequest::get("::"), token);
    ASSERT_FALSE(invalid.ok());
    EXPECT_EQ(invalid.failure().error, HttpError::invalidUrl);
}

// /hop/N redirects to /hop/N-1 (with the status the query names), /hop/0 answers.
TEST(HttpSession, FollowsUpToFiveRedirectsButNeverFromHttpsDownToHttp) {
    testsupport::LoopbackServer plain;
    testsupport::LoopbackServer secure(/*tls=*/true);
    plain.server().Get(R"(/hop/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
        const int left = std::stoi(req.matches[1]);
        if (left == 0) return res.set_content("arrived", "text/plain");
        res.set_redirect("/hop/" + std::to_string(left - 1), left % 2 ? 302 : 307);
    });
    plain.server().Get("/up", [&](const httplib::Request&, httplib::Response& res) {
        res.set_redirect(secure.origin() + "/hello");
    });
    secure.server().Get("/down", [&](const httplib::Request&, httplib::Response& res) {
        res.set_redirect(plain.origin() + "/hop/0");
    });
    secure.server().Get("/hello", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("secure", "text/plain");
    });
    plain.start();
    secure.start();

    HttpSession session(HttpSession::withExtraCa(testsupport::TestCertificates::shared().caCert));
    platform::CancellationToken token;
    auto five = session.send(HttpRequest::get(plain.origin() + "/hop/5"), token);
    ASSERT_TRUE(five.ok()) << five.failure().description;
    EXPECT_EQ(five.response().status, 200);
    EXPECT_EQ(five.response().body, "arrived");

    auto six = session.send(HttpRequest::get(plain.origin() + "/hop/6"), token);
    ASSERT_FALSE(six.ok());
    EXPECT_EQ(six.failure().error, HttpError::tooManyRedirects);
    EXPECT_EQ(six.failure().description, "too many HTTP redirects");

    auto down = session.send(HttpRequest::get(secure.origin() + "/down"), token);
    ASSERT_FALSE(down.ok());
    EXPECT_EQ(down.failure().error, HttpError::redirectRefused);

    auto up = session.send(HttpRequest::get(plain.origin() + "/up"), token);
    ASSERT_TRUE(up.ok()) << up.failure().description;
    EXPECT_EQ(up.response().body, "secure");
}

// The cap counts decoded bytes: a small compressed answer that decodes past it fails cleanly.
TEST(HttpSession, DecodesGzipAnswersAndRefusesDecompressionBombs) {
    constexpr std::size_t cap = 8 * 1024 * 1024;
    const std::string text = gzipped(100 * 1024, 'a');
    const std::string bomb = gzipped(2 * cap, '\0');
    ASSERT_LT(bomb.size(), cap / 100);
    testsupport::LoopbackServer server;
    std::atomic<bool> askedForGzip{true};
    auto serve = [&](const std::string& body) {
        return [&, body](const httplib::Request& req, httplib::Response& res) {
            if (req.get_header_value("Accept-Encoding").find("gzip") == std::string::npos) askedForGzip = false;
            res.set_header("Content-Encoding", "gzip");
            res.set_content(body, "application/octet-stream");
        };
    };
    server.server().Get("/text", serve(text));
    server.server().Get("/bomb", serve(bomb));
    server.server().Get("/garbled", serve("not gzip at all"));
    server.start();

    HttpSession session;
    ASSERT_EQ(session.options().maxResponseBytes, cap);
    platform::CancellationToken token;
    auto decoded = session.send(HttpRequest::get(server.origin() + "/text"), token);
    ASSERT_TRUE(decoded.ok()) << decoded.failure().description;
    EXPECT_EQ(decoded.response().body, std::string(100 * 1024, 'a'));
    EXPECT_TRUE(askedForGzip);

    auto exploded = session.send(HttpRequest::get(server.origin() + "/bomb"), token);
    ASSERT_FALSE(exploded.ok());
    EXPECT_EQ(exploded.failure().error, HttpError::responseTooLarge);
    EXPECT_EQ(exploded.failure().description, "The response exceeded the maximum allowed size.");

    auto garbled = session.send(HttpRequest::get(server.origin() + "/garbled"), token);
    ASSERT_FALSE(garbled.ok());
    EXPECT_EQ(garbled.failure().error, HttpError::cannotDecodeContent);

    // The session is still good for the next call.
    EXPECT_TRUE(session.send(HttpRequest::get(server.origin() + "/text"), token).ok());
}
