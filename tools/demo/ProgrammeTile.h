#pragma once
// One programme on the home screen: a coloured card with a title that grows and gains a white
// border while it has focus, as tiles on a streaming home screen do.
//
//   auto tile = tvkit::View::make<demo::ProgrammeTile>("Night Trains", tvkit::Color::fromRGBA8(40, 90, 160));

#include "tvkit/view/Button.h"

namespace demo {

class ProgrammeTile : public tvkit::Button {
public:
    ProgrammeTile(std::string title, tvkit::Color color);
    std::string_view className() const override { return "ProgrammeTile"; }

protected:
    void stateDidChange() override;
};

} // namespace demo
