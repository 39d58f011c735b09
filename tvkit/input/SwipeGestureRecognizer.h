#pragma once
// Recognises a swipe on the remote's touch surface in one direction.
//
//   auto left = std::make_shared<SwipeGestureRecognizer>([this](GestureRecognizer&) { turnOff(); });
//   left->setDirection(SwipeDirection::left);
//   card->addGestureRecognizer(left);

#include "tvkit/input/GestureRecognizer.h"

namespace tvkit {

class SwipeGestureRecognizer final : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;
    SwipeDirection direction() const { return direction_; }
    void setDirection(SwipeDirection direction) { direction_ = direction; }
    bool claimsSwipe(SwipeDirection direction) const override { return direction == direction_; }

private:
    SwipeDirection direction_ = SwipeDirection::right;
};

} // namespace tvkit
