#pragma once
// A bare screen for tests of single controls: `build` fills its root view when it loads, and
// focus starts on `preferredFocus` when set, else on the first focusable view.
//
//   auto screen = std::make_shared<testsupport::TestScreen>([&](tvkit::View& root) { root.addSubview(box); });
//   present(screen);

#include "tvkit/app/ViewController.h"
#include "tvkit/view/View.h"

#include <functional>
#include <memory>
#include <utility>

namespace testsupport {

class TestScreen : public tvkit::ViewController {
public:
    explicit TestScreen(std::function<void(tvkit::View& root)> build) : build_(std::move(build)) {}

    void viewDidLoad() override {
        view()->setBackgroundColor(tvkit::Color::fromRGBA8(0x1C, 0x3A, 0x5E));
        if (build_) build_(*view());
    }
    std::vector<tvkit::FocusEnvironment*> preferredFocusEnvironments() const override {
        if (auto preferred = preferredFocus.lock()) return {preferred.get()};
        return tvkit::ViewController::preferredFocusEnvironments();
    }

    std::weak_ptr<tvkit::View> preferredFocus;

private:
    std::function<void(tvkit::View& root)> build_;
};

} // namespace testsupport
