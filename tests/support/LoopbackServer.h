#pragma once
// A cpp-httplib server on 127.0.0.1 and an ephemeral port, running on its own thread for the
// life of the object. Register handlers on `server()` before `start()`. `port()` and `origin()`
// may be read from any thread, a handler of another server included.
//
//   testsupport::LoopbackServer s(/*tls=*/true);
//   s.server().Get("/x", [](const httplib::Request&, httplib::Response& r) { r.set_content("hi", "text/plain"); });
//   s.start();   // s.origin() == "https://127.0.0.1:<port>"

#include <httplib.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace testsupport {

class LoopbackServer {
public:
    explicit LoopbackServer(bool tls = false);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    httplib::Server& server() { return *server_; }
    void start();
    int port() const { return port_; }
    std::string origin() const;

private:
    bool tls_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::atomic<int> port_ = 0;  // set by start(); handlers of other servers read it
};

} // namespace testsupport
