#pragma once
// A view that turns the viewer's input into actions: target/action pairs registered per
// control event, an enabled/selected state, focusable while enabled. A control that opts in
// sends primaryActionTriggered when Select ends on it.
//
//   auto id = control->addAction([](Control& c) { toggle(c); }, ControlEvent::primaryActionTriggered);
//   control->setSelectTriggersPrimaryAction(true);               // Select now runs it
//   control->sendActions(ControlEvent::primaryActionTriggered);   // and so does this

#include "tvkit/view/View.h"

#include <functional>
#include <vector>

namespace tvkit {

enum class ControlEvent : unsigned {
    touchUpInside = 1u << 6,
    valueChanged = 1u << 12,
    primaryActionTriggered = 1u << 13,
    editingDidBegin = 1u << 16,
    editingChanged = 1u << 17,
    editingDidEnd = 1u << 18,
    editingDidEndOnExit = 1u << 19,
};

enum ControlState : unsigned { normal = 0, highlighted = 1, disabled = 2, selected = 4, focused = 8 };

class Control : public View {
public:
    using Action = std::function<void(Control&)>;
    using ActionId = std::uint64_t;

    using View::View;
    std::string_view className() const override { return "Control"; }

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    unsigned state() const;

    ActionId addAction(Action action, ControlEvent event);
    void removeAction(ActionId id);
    // Runs every action registered for `event`, in the order added.
    void sendActions(ControlEvent event);

    // Whether Select, while enabled, sends primaryActionTriggered and is taken here rather than
    // passed up the responder chain. Off by default, so a plain control passes Select on.
    bool selectTriggersPrimaryAction() const { return selectTriggersPrimaryAction_; }
    void setSelectTriggersPrimaryAction(bool triggers) { selectTriggersPrimaryAction_ = triggers; }
    void pressesEnded(const PressSet& presses) override;

    bool canBecomeFocused() const override { return enabled_; }
    void didUpdateFocus(const FocusUpdateContext& context, FocusAnimationCoordinator& coordinator) override;

protected:
    // Titles and colours that depend on the state refresh here.
    virtual void stateDidChange() {}

private:
    struct Entry {
        ActionId id;
        ControlEvent event;
        Action action;
    };
    std::vector<Entry> actions_;
    ActionId nextId_ = 1;
    bool enabled_ = true;
    bool selected_ = false;
    bool selectTriggersPrimaryAction_ = false;
};

} // namespace tvkit
