#pragma once
// The demo without a display: one start of the TV app on a virtual 1920 x 1080 screen, driven
// by remote presses through the library's real screens. It prints what the library knows and
// what reached the SDKs, and writes numbered PNG screenshots. The tour (--tour) walks banner →
// Customize → settings (a category opened, a package switched off) → a policy tab → the
// data-request tab (a field typed on the on-screen keyboard, the form refused by an injected
// service error, shown as a toast) → Save. play() tells the whole story as separate
// starts over one data folder, as a TV app is started again.
//
//   demo::DemoApp app(options, std::cout);
//   return demo::Walkthrough(app, options, std::cout).run(*service);

#include "tools/demo/DemoApp.h"
#include "tvkit/host/headless/HeadlessHost.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace demo {

class DemoService;

class Walkthrough {
public:
    Walkthrough(DemoApp& app, const DemoOptions& options, std::ostream& out);

    // One start; 0 when every step worked.
    int run(const DemoService& service);
    // The story, each step a new process of this binary; starts with an empty screenshot folder.
    static int play(const DemoOptions& options);

    tvkit::HeadlessHost& host() { return host_; }
    // Runs the main loop and the virtual clock until `done` holds, then lets the screen's
    // transitions finish; false, with a line in the transcript, when it never did.
    bool waitFor(const std::function<bool()>& done, const std::string& what);
    // The pictures this run wrote, in order.
    const std::vector<std::filesystem::path>& screenshots() const { return screenshots_; }

private:
    bool tour(const DemoService& service);
    // Presses the banner's Accept or Decline button.
    bool answerBanner(bool reject);
    bool submitRefusedRequest(const DemoService& service);
    bool saveInPreferenceCenter();

    // Moves the focus to `target` with the arrows and presses Select.
    bool select(const tvkit::View* target, const std::string& what);
    void printStatus(const std::string& id);
    void printSdkCalls(const std::string& when);
    bool screenshot(const std::string& name);

    tvkit::HeadlessHost host_;
    DemoApp& app_;
    const DemoOptions& options_;
    std::ostream& out_;
    std::vector<std::filesystem::path> screenshots_;
};

} // namespace demo
