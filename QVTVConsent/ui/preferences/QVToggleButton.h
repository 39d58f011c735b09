#pragma once
// The expand indicator of the settings cards: shows one of two views, built on demand for its
// on/off state. It never takes focus; the card it sits in owns the state, sets `isOn` and calls
// render() when the card expands or collapses.
//
//   auto arrow = std::make_shared<qvtv::QVToggleButton>(
//       [](bool on) { return tvkit::View::make<qvtv::ExpandCollapseImageView>(tint, on); }, 12.0, /*isOn=*/false);
//   arrow->isOn = true;
//   arrow->render();

#include <functional>
#include <memory>
#include <optional>

#include "tvkit/view/Control.h"

namespace qvtv {

class QVToggleButton : public tvkit::Control {
public:
    using ViewBuilder = std::function<std::shared_ptr<tvkit::View>(bool isOn)>;

    QVToggleButton(ViewBuilder viewBuilder, std::optional<double> viewSize, bool isOn);

    std::string_view className() const override { return "QVToggleButton"; }

    // Shows the view the builder makes for the current `isOn`, replacing the one shown so far.
    void render();

    bool isOn;
    tvkit::View* oldView() const { return oldView_.get(); }

    bool canBecomeFocused() const override { return false; }

private:
    ViewBuilder viewBuilder_;
    std::optional<double> viewSize_;
    std::shared_ptr<tvkit::View> oldView_;
};

} // namespace qvtv
