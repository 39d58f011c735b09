#pragma once
// Built-in vector symbols for check boxes, radio buttons and disclosure arrows, drawn as
// template images (the view's tint paints them) and sharp at any size: "circle",
// "largecircle.fill.circle", "checkmark.square.fill", "square", "arrowtriangle.up.fill",
// "arrowtriangle.down.fill".
//
//   auto checked = SymbolImage::named("checkmark.square.fill");   // nullptr for unknown names

#include "tvkit/graphics/Image.h"

#include <memory>
#include <string_view>

namespace tvkit {

class SymbolImage : public Image {
public:
    enum class Shape { circle, largeCircleFillCircle, checkmarkSquareFill, square, arrowUpFill, arrowDownFill };

    static std::shared_ptr<const Image> named(std::string_view name);

    explicit SymbolImage(Shape shape) : shape_(shape) {}
    Size size() const override { return {24, 24}; }
    bool isTemplate() const override { return true; }
    void draw(cairo_t* cr, const Rect& rect) const override;

private:
    Shape shape_;
};

} // namespace tvkit
