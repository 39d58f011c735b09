#pragma once
// What a focus change is about: where focus was, where it goes and in which direction. Handed
// to shouldUpdateFocus and didUpdateFocus of every environment involved; it keeps both views
// alive for the duration of the callbacks.
//
//   bool shouldUpdateFocus(const FocusUpdateContext& c) override {
//       return c.heading() != FocusHeading::up || !atTop();
//   }

#include "tvkit/focus/FocusHeading.h"

#include <memory>

namespace tvkit {

class View;

class FocusUpdateContext {
public:
    FocusUpdateContext(std::shared_ptr<View> previous, std::shared_ptr<View> next, FocusHeading heading)
        : previous_(std::move(previous)), next_(std::move(next)), heading_(heading) {}

    View* previouslyFocusedView() const { return previous_.get(); }
    View* nextFocusedView() const { return next_.get(); }
    FocusHeading heading() const { return heading_; }

private:
    std::shared_ptr<View> previous_;
    std::shared_ptr<View> next_;
    FocusHeading heading_;
};

} // namespace tvkit
