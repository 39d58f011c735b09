#pragma once
// The demo without a display: one start of the TV app on a virtual 1920 x 1080 screen that
// prints what the library knows and what reached the SDKs, plays the viewer's choice, and writes
// numbered PNG screenshots. play() tells the whole story as separate starts over one data folder,
// as a TV app is started again.
//
//   demo::DemoApp app(options, std::cout);
//   return demo::Walkthrough(app, options, std::cout).run();

#include "tools/demo/DemoApp.h"
#include "tvkit/host/headless/HeadlessHost.h"

#include <ostream>
#include <string>

namespace demo {

class DemoService;

class Walkthrough {
public:
    Walkthrough(DemoApp& app, const DemoOptions& options, std::ostream& out);

    // One start; 0 when every step worked.
    int run(const DemoService& service);
    // The story, each step a new process of this binary; starts with an empty screenshot folder.
    static int play(const DemoOptions& options);

private:
    void printStatus(const std::string& id);
    void printSdkCalls(const std::string& when);
    // What the banner's Accept or Decline does, through the repository.
    bool choose(bool rejectAll);
    bool screenshot(const std::string& name);

    tvkit::HeadlessHost host_;
    DemoApp& app_;
    const DemoOptions& options_;
    std::ostream& out_;
};

} // namespace demo
