#pragma once
// A spinning progress indicator, hidden while stopped; the renderer draws the spinner while
// isAnimating().
//
//   auto spinner = View::make<ActivityIndicator>(ActivityIndicator::Style::large);
//   spinner->setColor(Color::white());
//   spinner->startAnimating();

#include "tvkit/view/View.h"

namespace tvkit {

class ActivityIndicator : public View {
public:
    enum class Style { medium, large };

    explicit ActivityIndicator(Style style = Style::medium);
    std::string_view className() const override { return "ActivityIndicator"; }

    Style style() const { return style_; }
    Color color() const { return color_; }
    void setColor(Color color);
    bool isAnimating() const { return animating_; }
    void startAnimating();
    void stopAnimating();

    Size intrinsicContentSize() const override;

private:
    Style style_;
    Color color_ = Color::gray(0.6);
    bool animating_ = false;
};

} // namespace tvkit
