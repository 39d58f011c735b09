#pragma once
// Recognises presses of the allowed types (Select only by default) on the focused view's chain.
//
//   auto menu = std::make_shared<TapGestureRecognizer>([this](GestureRecognizer&) { close(); });
//   menu->setAllowedPressTypes({PressType::menu});
//   view->addGestureRecognizer(menu);

#include "tvkit/graphics/Point.h"
#include "tvkit/input/GestureRecognizer.h"

#include <algorithm>
#include <vector>

namespace tvkit {

class TapGestureRecognizer final : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;
    void setAllowedPressTypes(std::vector<PressType> types) { allowed_ = std::move(types); }
    const std::vector<PressType>& allowedPressTypes() const { return allowed_; }
    bool claimsPress(const Press& press) const override {
        return std::find(allowed_.begin(), allowed_.end(), press.type) != allowed_.end();
    }
    // Where the tap happened, in `view`'s bounds coordinates. A remote points at nothing, so
    // that is the centre of the part of this recogniser's view that is on screen: what is in
    // front of the viewer.
    Point location(const View& view) const;

private:
    std::vector<PressType> allowed_{PressType::select};
};

} // namespace tvkit
