#pragma once
// The process's UI application: its windows and the key window, the screen size, delivery of
// remote-control input to the key window, the default handling of input that nothing else
// took (arrows move focus, Menu closes a presented screen, key commands), and opening
// external URLs through a handler the host installs.
//
//   auto& app = tvkit::Application::shared();
//   app.setOpenURLHandler([](const std::string& url) { return launchBrowser(url); });
//   app.sendPress(tvkit::PressType::downArrow);

#include "tvkit/graphics/Rect.h"
#include "tvkit/input/GestureRecognizer.h"
#include "tvkit/input/Responder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tvkit {

class View;
class Window;

class Application : public Responder {
public:
    using OpenURLHandler = std::function<bool(const std::string& url)>;

    static Application& shared();

    // The main screen's bounds (1920 x 1080 unless the host says otherwise).
    Rect screenBounds() const { return {{0, 0}, screenSize_}; }
    void setScreenSize(Size size) { screenSize_ = size; }

    std::vector<Window*> windows() const;
    Window* keyWindow() const;
    void makeKey(Window& window);
    void removeWindow(Window& window);

    // Input for the key window: a whole press (down and up), a swipe, typed text.
    void sendPress(const Press& press);
    void sendPress(PressType type) { sendPress(Press{type, {}}); }
    void sendSwipe(SwipeDirection direction);
    bool sendText(const std::string& text);
    // Whether the responder that typed text would reach takes it as text (a focused text field,
    // an open on-screen keyboard).
    bool isEditingText() const;

    void setOpenURLHandler(OpenURLHandler handler) { openURL_ = std::move(handler); }
    const OpenURLHandler& openURLHandler() const { return openURL_; }
    // False when no handler is installed or the handler refused.
    bool openURL(const std::string& url);

    // End of the responder chain: the default handling.
    void pressesEnded(const PressSet& presses) override;

private:
    Application() = default;
    Responder* firstResponder() const;

    Size screenSize_{1920, 1080};
    std::vector<std::weak_ptr<View>> windows_;
    std::weak_ptr<View> key_;
    OpenURLHandler openURL_;
};

} // namespace tvkit
