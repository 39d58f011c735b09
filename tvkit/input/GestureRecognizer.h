#pragma once
// Recognisers attached to a view see remote-control input before the views do: a tap
// recogniser claims presses of the types it allows, a swipe recogniser claims swipes on the
// touch surface in its direction. Only recognisers on the focused view's chain take part.
//
//   class Menu : public GestureRecognizer { bool claimsPress(const Press& p) const override {...} };
//   view->addGestureRecognizer(std::make_shared<Menu>([](GestureRecognizer&) { close(); }));

#include "tvkit/input/Press.h"

#include <functional>
#include <vector>

namespace tvkit {

class View;

enum class SwipeDirection { right = 1, left = 2, up = 4, down = 8 };

class GestureRecognizer {
public:
    using Action = std::function<void(GestureRecognizer&)>;

    explicit GestureRecognizer(Action action = {}) { if (action) actions_.push_back(std::move(action)); }
    virtual ~GestureRecognizer() = default;

    void addAction(Action action) { actions_.push_back(std::move(action)); }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    View* view() const { return view_; }

    virtual bool claimsPress(const Press&) const { return false; }
    virtual bool claimsSwipe(SwipeDirection) const { return false; }
    // Runs the actions: the input was recognised.
    void recognize();

private:
    friend class View;
    std::vector<Action> actions_;
    bool enabled_ = true;
    View* view_ = nullptr;
};

} // namespace tvkit
