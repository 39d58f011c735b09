#pragma once
// Shows a tvkit application in a desktop window with SDL2, at up to 60 frames a second, and
// plays the remote from the keyboard: arrows move focus, Return is Select, Escape and
// Backspace are Menu, Space is Play/Pause. Typed text goes to a focused text field or an open
// on-screen keyboard, where Space and Backspace edit instead; otherwise a typed character is a
// keyboard press, which key commands answer. Frames are drawn only when something changed.
//
//   tvkit::SdlHost host({1920, 1080}, 0.5);   // a 960 x 540 window
//   host.setRootViewController(std::make_shared<HomeScreen>());
//   return host.run() ? 0 : 1;

#include "tvkit/app/Window.h"

#include <memory>
#include <string>

namespace tvkit {

class SdlHost {
public:
    // As the window scale: a window of the screen's shape that fits well inside the display's
    // usable area, at most the screen's size. The picture keeps that shape even when the window
    // is resized later (bars fill the rest).
    static constexpr double fitToDisplay = 0;

    explicit SdlHost(Size screen = {1920, 1080}, double windowScale = 0.5, std::string title = "tvkit");
    ~SdlHost();
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    // Whether SDL can reach a display (a window system answers), without opening a window.
    static bool displayAvailable();

    Window& window() { return *window_; }
    void setRootViewController(std::shared_ptr<ViewController> controller);

    // Opens the window and runs until it is closed or stop() is called; false (with a log
    // line) when no window could be opened.
    [[nodiscard]] bool run();
    void stop() { running_ = false; }

private:
    struct Sdl;
    bool handleKey(int keycode);

    Size screen_;
    double scale_;
    std::string title_;
    std::shared_ptr<Window> window_;
    bool running_ = false;
};

} // namespace tvkit
