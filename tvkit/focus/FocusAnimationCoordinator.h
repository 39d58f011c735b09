#pragma once
// Collects the animations that should run together with a focus move. The focus system runs
// them in one animation right after every didUpdateFocus has returned.
//
//   void didUpdateFocus(const FocusUpdateContext& c, FocusAnimationCoordinator& coordinator) override {
//       coordinator.addCoordinatedAnimations([this] { setTransform(AffineTransform::scale(1.1, 1.1)); });
//   }

#include <functional>
#include <utility>
#include <vector>

namespace tvkit {

class FocusAnimationCoordinator {
public:
    using Block = std::function<void()>;

    void addCoordinatedAnimations(Block animations, Block completion = {}) {
        if (animations) animations_.push_back(std::move(animations));
        if (completion) completions_.push_back(std::move(completion));
    }

    const std::vector<Block>& animations() const { return animations_; }
    const std::vector<Block>& completions() const { return completions_; }

private:
    std::vector<Block> animations_;
    std::vector<Block> completions_;
};

} // namespace tvkit
