#pragma once
// A focusable push button with a title per control state. Select on the remote sends
// primaryActionTriggered; the title sits in `titleLabel()` inside the content insets.
//
//   auto accept = View::make<Button>();
//   accept->setTitle("Accept all");
//   accept->setTitleColor(Color::white());
//   accept->titleLabel()->setFont(Font::system(20, Font::bold));
//   accept->addAction([](Control&) { save(); }, ControlEvent::primaryActionTriggered);

#include "tvkit/view/Control.h"
#include "tvkit/view/Label.h"

#include <map>
#include <memory>

namespace tvkit {

class Button : public Control {
public:
    Button();
    std::string_view className() const override { return "Button"; }

    void setTitle(std::string title, unsigned state = normal);
    // The title for `state`, falling back to the normal one.
    std::string title(unsigned state = normal) const;
    void setTitleColor(Color color, unsigned state = normal);
    Color titleColor(unsigned state = normal) const;
    const std::shared_ptr<Label>& titleLabel() const { return label_; }
    EdgeInsets contentEdgeInsets() const { return insets_; }
    void setContentEdgeInsets(const EdgeInsets& insets);

    // The title unless a label was set; a button unless other traits were set (a link); dimmed
    // while disabled.
    std::string accessibilityLabel() const override;
    unsigned accessibilityTraits() const override;

    Size intrinsicContentSize() const override;
    void layoutSubviews() override;

protected:
    void stateDidChange() override;

private:
    std::shared_ptr<Label> label_;
    std::map<unsigned, std::string> titles_;
    std::map<unsigned, Color> colors_;
    EdgeInsets insets_{10, 20, 10, 20};
};

} // namespace tvkit
