#pragma once
// The demo's own keys, which a real TV app would not have: forget the stored consent and start
// again, show the secondary banner, switch between the simple and the advanced fixtures, and
// make the local consent service misbehave (slow answers, refused saves, no templates) to see
// the library's loading overlay and toasts. The home screen lists them on its help line; the
// fault in force is shown on the status line.
//
//   demo::DemoControls controls(app, service);   // installs the keys on app.home()

#include "tools/demo/DemoApp.h"
#include "tools/demo/DemoService.h"

#include <string>

namespace demo {

class DemoControls {
public:
    enum class Fault { none, latency, error, noTemplates };

    DemoControls(DemoApp& app, const DemoService& service);

    // none → latency → error → no templates → none; each applies at once to the local service.
    void nextFault();
    Fault fault() const { return fault_; }
    // Restarts the app on the other fixture pair, with nothing stored.
    void switchFixtures();

private:
    DemoApp& app_;
    const DemoService& service_;
    Fault fault_ = Fault::none;
};

} // namespace demo
