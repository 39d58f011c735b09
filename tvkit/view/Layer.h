#pragma once
// The drawing properties of a view that are not geometry: corner radius, border, shadow and
// masking. Every setter tells the owning view, so changes animate inside View::animate and
// mark the window for redrawing.
//
//   button->layer().setCornerRadius(8);
//   button->layer().setShadow(Color::black(), 0.15, 6, {0, 4});

#include "tvkit/graphics/Color.h"
#include "tvkit/graphics/Size.h"

namespace tvkit {

class View;

struct LayerProperties {
    double cornerRadius = 0;
    double borderWidth = 0;
    Color borderColor = Color::black();
    Color shadowColor = Color::black();
    double shadowOpacity = 0;
    double shadowRadius = 3;
    Size shadowOffset{0, -3};
    friend bool operator==(const LayerProperties&, const LayerProperties&) = default;
};

class Layer {
public:
    explicit Layer(View& owner) : owner_(owner) {}
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    const LayerProperties& properties() const { return props_; }
    double cornerRadius() const { return props_.cornerRadius; }
    double borderWidth() const { return props_.borderWidth; }
    Color borderColor() const { return props_.borderColor; }
    Color shadowColor() const { return props_.shadowColor; }
    double shadowOpacity() const { return props_.shadowOpacity; }
    double shadowRadius() const { return props_.shadowRadius; }
    Size shadowOffset() const { return props_.shadowOffset; }
    bool masksToBounds() const { return masksToBounds_; }

    void setCornerRadius(double v) { willChange(); props_.cornerRadius = v; didChange(); }
    void setBorderWidth(double v) { willChange(); props_.borderWidth = v; didChange(); }
    void setBorderColor(Color v) { willChange(); props_.borderColor = v; didChange(); }
    void setShadowColor(Color v) { willChange(); props_.shadowColor = v; didChange(); }
    void setShadowOpacity(double v) { willChange(); props_.shadowOpacity = v; didChange(); }
    void setShadowRadius(double v) { willChange(); props_.shadowRadius = v; didChange(); }
    void setShadowOffset(Size v) { willChange(); props_.shadowOffset = v; didChange(); }
    void setShadow(Color color, double opacity, double radius, Size offset) {
        willChange();
        props_.shadowColor = color;
        props_.shadowOpacity = opacity;
        props_.shadowRadius = radius;
        props_.shadowOffset = offset;
        didChange();
    }
    void setMasksToBounds(bool v);

private:
    void willChange();
    void didChange();
    View& owner_;
    LayerProperties props_;
    bool masksToBounds_ = false;
};

} // namespace tvkit
