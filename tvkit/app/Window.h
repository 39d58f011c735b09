#pragma once
// The root of a view tree on screen. It owns the tree's focus system, shows a root view
// controller (and the screens presented over it), knows the safe area of the display, and
// tells the renderer when something needs drawing again.
//
//   auto window = View::make<Window>(Rect{0, 0, 1920, 1080});
//   window->setRootViewController(home);
//   window->makeKeyAndVisible();

#include "tvkit/focus/FocusSystem.h"
#include "tvkit/view/View.h"

#include <memory>

namespace tvkit {

class Window : public View {
public:
    explicit Window(const Rect& frame);
    ~Window() override;

    std::string_view className() const override { return "Window"; }
    Window* asWindow() override { return this; }
    FocusSystem& focusSystem() { return focus_; }
    const FocusSystem& focusSystem() const { return focus_; }

    void setRootViewController(std::shared_ptr<ViewController> controller);
    ViewController* rootViewController() const { return root_.get(); }
    // The last screen presented over the root, or the root itself.
    ViewController* topViewController() const;

    void makeKeyAndVisible();

    // Insets of the display's safe area (overscan on a TV); views derive theirs from it.
    EdgeInsets windowSafeAreaInsets() const { return safeArea_; }
    void setWindowSafeAreaInsets(const EdgeInsets& insets);

    // Damage: set by any visual change, cleared by whoever draws. Returns whether a redraw was
    // needed and clears the flag.
    bool takeNeedsDisplay();
    void markNeedsDisplay();

    Responder* nextResponder() const override;

private:
    FocusSystem focus_;
    std::shared_ptr<ViewController> root_;
    EdgeInsets safeArea_;
    bool needsDisplay_ = true;
};

} // namespace tvkit
