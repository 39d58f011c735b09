#pragma once
// A throw-away certificate authority and a server certificate for 127.0.0.1 and localhost, made
// with the openssl command at run time (once per test process), so nothing in the repository expires.
//
//   const auto& certs = testsupport::TestCertificates::shared();
//   httplib::SSLServer server(certs.serverCert.c_str(), certs.serverKey.c_str());

#include <filesystem>

#include "support/TempDir.h"

namespace testsupport {

class TestCertificates {
public:
    static const TestCertificates& shared();

    std::filesystem::path caCert;
    std::filesystem::path serverCert;
    std::filesystem::path serverKey;

private:
    TestCertificates();
    TempDir dir_;
};

} // namespace testsupport
