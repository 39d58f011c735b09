#pragma once
// View animations on the main run loop's clock. Inside the animations block, changes to
// frame, transform, alpha, background colour and layer properties take effect in the model at
// once; what is on screen (View::presentationProperties) moves from the old to the new value
// over the duration. The completion runs exactly once, on the main queue, when the time is up
// (finished is false when a later animation took over every property it animated).
//
//   tvkit::animate(0.3, 0, {}, [&] { toast->setAlpha(0.9); },
//                  [&](bool) { hideLater(); });

#include "tvkit/view/View.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tvkit {

enum class AnimationCurve { easeInOut, easeIn, easeOut, linear };

struct AnimationOptions {
    AnimationCurve curve = AnimationCurve::easeInOut;
};

void animate(double duration, double delay, AnimationOptions options, const std::function<void()>& animations,
             std::function<void(bool finished)> completion = {});
inline void animate(double duration, const std::function<void()>& animations,
                    std::function<void(bool finished)> completion = {}) {
    animate(duration, 0, {}, animations, std::move(completion));
}
// Runs `changes` with animations suspended (inside an animations block too).
void performWithoutAnimation(const std::function<void()>& changes);

class Animator {
public:
    static Animator& shared();

    void run(double duration, double delay, AnimationOptions options, const std::function<void()>& animations,
             std::function<void(bool)> completion);
    void performWithoutAnimation(const std::function<void()>& changes);

    // Called by views before an animatable value changes.
    void willChange(View& view);
    AnimatableProperties presentation(const View& view) const;
    bool hasRunningAnimations() const { return !groups_.empty(); }
    void forget(const View* view);

    // Eases t in [0, 1] along a curve.
    static double ease(AnimationCurve curve, double t);

private:
    enum Field : unsigned {
        frame = 1, transform = 2, alpha = 4, background = 8, cornerRadius = 16, borderWidth = 32,
        borderColor = 64, shadowColor = 128, shadowOpacity = 256, shadowRadius = 512, shadowOffset = 1024,
    };
    struct Track {
        std::uint64_t group;
        unsigned fields;
        AnimatableProperties from;
        AnimatableProperties to;
    };
    struct Group {
        double start;  // seconds on the run loop's clock
        double duration;
        AnimationCurve curve;
        std::function<void(bool)> completion;
        bool superseded = false;
    };
    struct Capture {
        std::weak_ptr<View> view;
        View* raw;
        AnimatableProperties model;
        AnimatableProperties shown;
    };
    struct Transaction {
        bool enabled;
        std::vector<Capture> captures;
    };

    static unsigned changedFields(const AnimatableProperties& a, const AnimatableProperties& b);
    double now() const;
    void finish(std::uint64_t group);

    std::vector<Transaction> transactions_;
    std::unordered_map<const View*, std::vector<Track>> tracks_;
    std::unordered_map<std::uint64_t, Group> groups_;
    std::uint64_t nextGroup_ = 1;
};

} // namespace tvkit
