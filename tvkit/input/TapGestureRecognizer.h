#pragma once
// Recognises presses of the allowed types (Select only by default) on the focused view's chain.
//
//   auto menu = std::make_shared<TapGestureRecognizer>([this](GestureRecognizer&) { close(); });
//   menu->setAllowedPressTypes({PressType::menu});
//   view->addGestureRecognizer(menu);

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

private:
    std::vector<PressType> allowed_{PressType::select};
};

} // namespace tvkit
