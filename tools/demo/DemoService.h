#pragma once
// Where the demo's consent service lives: the local consent service started in this process
// over a copy of the fixtures in the demo's data folder (so a template can be edited between
// starts), or another service named by --origin. Points the library's client at it.
//
//   auto service = demo::DemoService::start(options);   // null when the local one cannot start
//   if (service->local()) std::cout << service->local()->requests().size();

#include "tools/consent-service/ConsentService.h"
#include "tools/demo/DemoOptions.h"

#include <memory>

namespace demo {

class DemoService {
public:
    static std::unique_ptr<DemoService> start(const DemoOptions& options);
    ~DemoService();

    // The in-process service, or null with --origin.
    consentservice::ConsentService* local() const { return local_.get(); }
    // How many consent-document requests the in-process service has answered.
    std::size_t consentDocumentRequests() const;

private:
    DemoService() = default;
    std::unique_ptr<consentservice::ConsentService> local_;
};

} // namespace demo
