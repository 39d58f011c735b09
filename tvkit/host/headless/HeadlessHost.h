#pragma once
// Runs a tvkit application with no display: a key window of the screen's size on the main
// run loop with a virtual clock. Tests and tools send presses, swipes and text, advance time
// (timers, animations and deferred layout run on the way) and read the view tree as text.
//
//   tvkit::HeadlessHost host;                     // 1920 x 1080
//   host.setRootViewController(std::make_shared<HomeScreen>());
//   host.press(tvkit::PressType::downArrow);
//   host.advance(0.5);
//   std::cout << host.dumpTree();

#include "tvkit/app/Window.h"
#include "tvkit/input/GestureRecognizer.h"
#include "tvkit/render/Renderer.h"

#include <memory>
#include <string>

namespace tvkit {

class HeadlessHost {
public:
    explicit HeadlessHost(Size screen = {1920, 1080});
    ~HeadlessHost();
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    Window& window() { return *window_; }
    void setRootViewController(std::shared_ptr<ViewController> controller);
    View* focusedView() { return window_->focusSystem().focusedView(); }

    // Each input is followed by running what became ready (no time passes).
    void press(PressType type);
    // Moves the focus to `target` with arrow presses only, as a viewer aiming at it would; the
    // presses it took, or -1 when it did not get there within `limit`.
    int pressArrowsTo(const View& target, int limit = 60);
    void pressKey(const std::string& input);
    void swipe(SwipeDirection direction);
    bool type(const std::string& text);
    // Moves the virtual clock, firing timers and animations that fall due, then lays out.
    void advance(double seconds);
    void runPending();

    // Draws what changed since the last frame (the first call draws everything).
    const Bitmap& render();
    Renderer& renderer() { return renderer_; }
    // Renders and writes the screen as a PNG; false (with a log line) when it cannot be written.
    [[nodiscard]] bool writeSnapshot(const std::string& path);

    // One line per view: class and serial, frame, then the properties worth seeing.
    std::string dumpTree() const;
    static std::string dump(const View& root);

private:
    std::shared_ptr<Window> window_;
    Renderer renderer_;
};

} // namespace tvkit
