// qvtv-consent-service: runs the local consent service until interrupted.
//
//   qvtv-consent-service --port 8080 --fixtures tools/consent-service/fixtures
//                        [--tls-cert server.pem --tls-key server.key] [--database service.sqlite]

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "tools/consent-service/ConsentService.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: qvtv-consent-service [--port N] --fixtures DIR [--tls-cert PEM --tls-key PEM]"
                 " [--database FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    consentservice::ConsentService::Options options;
    for (int i = 1; i < argc; ++i) {
        std::string flag = argv[i];
        if (i + 1 >= argc) return usage();
        std::string value = argv[++i];
        if (flag == "--port") options.port = std::atoi(value.c_str());
        else if (flag == "--fixtures") options.fixtures = value;
        else if (flag == "--tls-cert") options.tlsCert = value;
        else if (flag == "--tls-key") options.tlsKey = value;
        else if (flag == "--database") options.database = value;
        else return usage();
    }
    if (options.fixtures.empty() || options.tlsCert.empty() != options.tlsKey.empty()) return usage();

    // Signals are taken by a waiting thread so stopping runs outside a signal handler.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    consentservice::ConsentService service(options);
    if (!service.start()) {
        std::fprintf(stderr, "qvtv-consent-service: cannot listen on 127.0.0.1:%d\n", options.port);
        return 1;
    }
    std::printf("qvtv-consent-service: serving %s on %s\n", options.fixtures.c_str(), service.baseUrl().c_str());
    std::fflush(stdout);
    int received = 0;
    sigwait(&signals, &received);
    service.stop();
    return 0;
}
