#include "tools/demo/DemoControls.h"

namespace demo {
namespace {

using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;

constexpr const char* simpleApp = "demo-tv-app";
constexpr const char* advancedApp = "demo-tv-advanced";

} // namespace

DemoControls::DemoControls(DemoApp& app, const DemoService& service) : app_(app), service_(service) {
    app_.home()->setDemoKeys({
        {"r", [this] { app_.resetAndRestart(); }, "reset consent and restart"},
        {"s", [this] { app_.presentSecondaryBanner(); }, "secondary banner"},
        {"f", [this] { switchFixtures(); }, "simple/advanced fixtures"},
        {"e", [this] { nextFault(); }, "next service fault"},
    });
}

void DemoControls::nextFault() {
    auto* service = service_.local();
    if (!service) {
        app_.setStatusNote("faults need the local service (no --origin)");
        return;
    }
    fault_ = static_cast<Fault>((static_cast<int>(fault_) + 1) % 4);
    service->clearFaults();
    ServiceFault fault;
    switch (fault_) {
    case Fault::none:
        app_.setStatusNote("");
        return;
    case Fault::latency:
        fault.latency = std::chrono::milliseconds(1500);
        for (auto endpoint : {ServiceEndpoint::consentDocument, ServiceEndpoint::bannerTemplate,
                              ServiceEndpoint::preferenceCenterTemplate, ServiceEndpoint::consent,
                              ServiceEndpoint::dataRequest}) {
            service->setFault(endpoint, fault);
        }
        app_.setStatusNote("fault: every answer 1.5 s late");
        return;
    case Fault::error:
        fault.kind = ServiceFault::Kind::http500;
        service->setFault(ServiceEndpoint::consent, fault);
        service->setFault(ServiceEndpoint::dataRequest, fault);
        app_.setStatusNote("fault: saves and requests answer 500");
        return;
    case Fault::noTemplates:
        // Templates are read when the library starts, so this one shows after R.
        fault.kind = ServiceFault::Kind::noTemplatesText;
        service->setFault(ServiceEndpoint::bannerTemplate, fault);
        service->setFault(ServiceEndpoint::preferenceCenterTemplate, fault);
        app_.setStatusNote("fault: no templates (press R to restart into it)");
        return;
    }
}

void DemoControls::switchFixtures() {
    const bool simple = app_.options().primaryId != advancedApp;
    app_.setApplicationIds(simple ? advancedApp : simpleApp, app_.options().secondaryId);
    app_.resetAndRestart();
}

} // namespace demo
