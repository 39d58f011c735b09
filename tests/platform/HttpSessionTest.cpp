#include "platform/HttpSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

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
        testsupport::LoopbackServer server(tls);
        server.server().set_keep_alive_max_count(100);
        server.server().set_keep_alive_timeout(120);
        std::mutex mutex;
        std::condition_variable allArrived;
        int arrived = 0;
        int waitedAlone = 0;
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

        EXPECT_EQ(waitedAlone, 0) << "the first calls did not overlap";
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
