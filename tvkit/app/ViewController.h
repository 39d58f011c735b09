#pragma once
// Manages one screen: loads its root view on first use, hears appearance events, offers key
// commands and focus preferences, and presents other screens modally (full screen, with a
// cross-dissolve or slide) with completions that run once the transition has finished.
//
//   class Banner : public ViewController {
//       void viewDidLoad() override { view()->addSubview(card_); }
//   };
//   auto banner = std::make_shared<Banner>();
//   banner->setModalTransitionStyle(ModalTransitionStyle::crossDissolve);
//   host->present(banner, true, [] { /* on screen */ });

#include "tvkit/focus/FocusEnvironment.h"
#include "tvkit/input/Responder.h"

#include <functional>
#include <memory>
#include <string>

namespace tvkit {

class View;
class Window;

// The numbers are the ones TV app code already passes around.
enum class ModalPresentationStyle { fullScreen = 0, overFullScreen = 5 };
enum class ModalTransitionStyle { coverVertical = 0, crossDissolve = 2 };

class ViewController : public Responder, public FocusEnvironment, public std::enable_shared_from_this<ViewController> {
public:
    static constexpr double transitionDuration = 0.35;

    ViewController();
    ~ViewController() override;
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    // The root view, loaded (loadView, then viewDidLoad) on first use.
    const std::shared_ptr<View>& view();

    virtual void loadView();
    // For loadView overrides: installs the root view.
    void setView(std::shared_ptr<View> view);
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}

    // Announced through Accessibility when the screen is presented.
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    ModalPresentationStyle modalPresentationStyle() const { return presentationStyle_; }
    void setModalPresentationStyle(ModalPresentationStyle s) { presentationStyle_ = s; }
    ModalTransitionStyle modalTransitionStyle() const { return transitionStyle_; }
    void setModalTransitionStyle(ModalTransitionStyle s) { transitionStyle_ = s; }

    // Presents `controller` over this one. Refused (with a warning) when this one already
    // presents something or is not in a window.
    void present(std::shared_ptr<ViewController> controller, bool animated, std::function<void()> completion = {});
    // Dismisses the screen this one presents, or this one when it presents nothing.
    void dismiss(bool animated, std::function<void()> completion = {});
    ViewController* presentingViewController() const { return presenting_.lock().get(); }
    ViewController* presentedViewController() const { return presented_.get(); }
    Window* window() const;

    // Focus: by default, whatever the root view prefers.
    std::vector<FocusEnvironment*> preferredFocusEnvironments() const override;
    FocusEnvironment* parentFocusEnvironment() const override;
    View* focusEnvironmentView() const override { return view_.get(); }

    Responder* nextResponder() const override;

private:
    void finishDismissal(const std::shared_ptr<ViewController>& presented, std::function<void()> completion);

    std::shared_ptr<View> view_;
    std::string title_;
    ModalPresentationStyle presentationStyle_ = ModalPresentationStyle::fullScreen;
    ModalTransitionStyle transitionStyle_ = ModalTransitionStyle::coverVertical;
    std::weak_ptr<ViewController> presenting_;
    std::shared_ptr<ViewController> presented_;
    std::weak_ptr<View> focusBeforePresenting_;
    bool transitioning_ = false;
};

} // namespace tvkit
