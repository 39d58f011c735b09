#include "tools/demo/ProgrammeTile.h"

#include "tvkit/graphics/AffineTransform.h"

namespace demo {

ProgrammeTile::ProgrammeTile(std::string title, tvkit::Color color) {
    setTitle(std::move(title));
    setTitleColor(tvkit::Color::white());
    titleLabel()->setFont(tvkit::Font::system(28, tvkit::Font::semibold));
    setBackgroundColor(color);
    layer().setCornerRadius(12);
}

void ProgrammeTile::stateDidChange() {
    tvkit::Button::stateDidChange();
    const bool focused = (state() & tvkit::focused) != 0;
    layer().setBorderWidth(focused ? 6 : 0);
    layer().setBorderColor(tvkit::Color::white());
    setTransform(focused ? tvkit::AffineTransform::scale(1.08, 1.08) : tvkit::AffineTransform{});
}

} // namespace demo
