#include "tvkit/view/Control.h"

#include <algorithm>

namespace tvkit {

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    stateDidChange();
    setNeedsDisplay();
}

void Control::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    stateDidChange();
    setNeedsDisplay();
}

unsigned Control::state() const {
    unsigned s = normal;
    if (!enabled_) s |= disabled;
    if (selected_) s |= selected;
    if (isFocused()) s |= focused;
    return s;
}

Control::ActionId Control::addAction(Action action, ControlEvent event) {
    ActionId id = nextId_++;
    actions_.push_back(Entry{id, event, std::move(action)});
    return id;
}

void Control::removeAction(ActionId id) {
    std::erase_if(actions_, [id](const Entry& e) { return e.id == id; });
}

void Control::sendActions(ControlEvent event) {
    std::vector<Action> matching;
    for (const auto& e : actions_) {
        if (e.event == event) matching.push_back(e.action);
    }
    auto keepAlive = shared_from_this();
    for (auto& action : matching) action(*this);
}

void Control::pressesEnded(const PressSet& presses) {
    if (selectTriggersPrimaryAction_ && enabled_ && !presses.empty() && presses.front().type == PressType::select) {
        sendActions(ControlEvent::primaryActionTriggered);
        return;
    }
    View::pressesEnded(presses);
}

void Control::didUpdateFocus(const FocusUpdateContext& context, FocusAnimationCoordinator& coordinator) {
    View::didUpdateFocus(context, coordinator);
    if (context.nextFocusedView() == this || context.previouslyFocusedView() == this) stateDidChange();
}

} // namespace tvkit
