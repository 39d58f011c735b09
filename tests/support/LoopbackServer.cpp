#include "support/LoopbackServer.h"

#include <chrono>
#include <stdexcept>

#include "support/TestCertificates.h"

namespace testsupport {

LoopbackServer::LoopbackServer(bool tls) : tls_(tls) {
    if (tls) {
        const auto& certs = TestCertificates::shared();
        server_ = std::make_unique<httplib::SSLServer>(certs.serverCert.c_str(), certs.serverKey.c_str());
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    server_->set_tcp_nodelay(true);
    // Stopping waits for idle keep-alive connections; a client that outlives the server would
    // otherwise hold the test up for the default five seconds.
    server_->set_keep_alive_timeout(1);
}

LoopbackServer::~LoopbackServer() {
    server_->stop();
    if (thread_.joinable()) thread_.join();
}

void LoopbackServer::start() {
    const int port = server_->bind_to_any_port("127.0.0.1");
    if (port <= 0) throw std::runtime_error("cannot bind a loopback port");
    port_ = port;
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string LoopbackServer::origin() const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

} // namespace testsupport
