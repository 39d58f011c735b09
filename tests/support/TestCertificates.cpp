#include "support/TestCertificates.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace testsupport {
namespace {

void run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        throw std::runtime_error("certificate generation failed: " + command);
    }
}

} // namespace

const TestCertificates& TestCertificates::shared() {
    static const TestCertificates certificates;
    return certificates;
}

TestCertificates::TestCertificates() {
    const auto& d = dir_.path();
    caCert = d / "ca.pem";
    serverCert = d / "server.pem";
    serverKey = d / "server.key";
    auto caKey = d / "ca.key";
    auto csr = d / "server.csr";
    auto ext = d / "server.ext";
    std::ofstream(ext) << "subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n";
    // Elliptic-curve keys keep generation fast.
    const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    run("openssl req -x509" + ec + " -keyout " + caKey.string() + " -out " + caCert.string() +
        " -days 2 -subj /CN=QVTV-Test-CA");
    run("openssl req" + ec + " -keyout " + serverKey.string() + " -out " + csr.string() + " -subj /CN=localhost");
    run("openssl x509 -req -in " + csr.string() + " -CA " + caCert.string() + " -CAkey " + caKey.string() +
        " -CAcreateserial -out " + serverCert.string() + " -days 2 -extfile " + ext.string());
}

} // namespace testsupport
