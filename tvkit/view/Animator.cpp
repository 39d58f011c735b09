#include "tvkit/view/Animator.h"

#include "platform/DispatchQueue.h"
#include "platform/NoDestructor.h"
#include "platform/RunLoop.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace tvkit {

void animate(double duration, double delay, AnimationOptions options, const std::function<void()>& animations,
             std::function<void(bool)> completion) {
    Animator::shared().run(duration, delay, options, animations, std::move(completion));
}

void performWithoutAnimation(const std::function<void()>& changes) { Animator::shared().performWithoutAnimation(changes); }

Animator& Animator::shared() {
    static platform::NoDestructor<Animator> animator;
    return *animator;
}

double Animator::now() const {
    auto t = platform::RunLoop::main().clock()->now().time_since_epoch();
    return std::chrono::duration<double>(t).count();
}

double Animator::ease(AnimationCurve curve, double t) {
    t = std::clamp(t, 0.0, 1.0);
    switch (curve) {
    case AnimationCurve::linear: return t;
    case AnimationCurve::easeIn: return t * t;
    case AnimationCurve::easeOut: return t * (2 - t);
    case AnimationCurve::easeInOut: return t * t * (3 - 2 * t);
    }
    return t;
}

void Animator::performWithoutAnimation(const std::function<void()>& changes) {
    transactions_.push_back(Transaction{false, {}});
    changes();
    transactions_.pop_back();
}

void Animator::willChange(View& view) {
    if (transactions_.empty() || !transactions_.back().enabled) return;
    auto& captures = transactions_.back().captures;
    for (const auto& c : captures) {
        if (c.raw == &view) return;
    }
    captures.push_back(Capture{view.weak_from_this(), &view, view.animatableProperties(), presentation(view)});
}

unsigned Animator::changedFields(const AnimatableProperties& a, const AnimatableProperties& b) {
    unsigned f = 0;
    if (a.frame != b.frame) f |= frame;
    if (a.transform != b.transform) f |= transform;
    if (a.alpha != b.alpha) f |= alpha;
    if (a.backgroundColor != b.backgroundColor) f |= background;
    if (a.layer.cornerRadius != b.layer.cornerRadius) f |= cornerRadius;
    if (a.layer.borderWidth != b.layer.borderWidth) f |= borderWidth;
    if (a.layer.borderColor != b.layer.borderColor) f |= borderColor;
    if (a.layer.shadowColor != b.layer.shadowColor) f |= shadowColor;
    if (a.layer.shadowOpacity != b.layer.shadowOpacity) f |= shadowOpacity;
    if (a.layer.shadowRadius != b.layer.shadowRadius) f |= shadowRadius;
    if (a.layer.shadowOffset != b.layer.shadowOffset) f |= shadowOffset;
    return f;
}

void Animator::run(double duration, double delay, AnimationOptions options, const std::function<void()>& animations,
                   std::function<void(bool)> completion) {
    duration = std::max(0.0, duration);
    delay = std::max(0.0, delay);
    bool animated = duration > 0 && (transactions_.empty() || transactions_.back().enabled);
    transactions_.push_back(Transaction{animated, {}});
    if (animations) animations();
    std::vector<Capture> captures = std::move(transactions_.back().captures);
    transactions_.pop_back();

    std::uint64_t id = nextGroup_++;
    groups_.emplace(id, Group{now() + delay, duration, options.curve, std::move(completion)});
    for (auto& c : captures) {
        auto view = c.view.lock();
        if (!view) continue;
        AnimatableProperties to = view->animatableProperties();
        unsigned fields = changedFields(c.model, to);
        if (fields == 0) continue;
        auto& list = tracks_[c.raw];
        for (auto& older : list) {
            older.fields &= ~fields;
            if (older.fields == 0) groups_[older.group].superseded = true;
        }
        std::erase_if(list, [](const Track& t) { return t.fields == 0; });
        list.push_back(Track{id, fields, c.shown, to});
        view->setNeedsDisplay();
    }
    auto total = std::chrono::duration_cast<platform::Clock::Duration>(std::chrono::duration<double>(delay + duration));
    platform::DispatchQueue::main().asyncAfter(total, [this, id] { finish(id); });
}

void Animator::finish(std::uint64_t id) {
    auto it = groups_.find(id);
    if (it == groups_.end()) return;
    Group group = std::move(it->second);
    groups_.erase(it);
    for (auto t = tracks_.begin(); t != tracks_.end();) {
        std::erase_if(t->second, [id](const Track& track) { return track.group == id; });
        t = t->second.empty() ? tracks_.erase(t) : std::next(t);
    }
    if (group.completion) group.completion(!group.superseded);
}

void Animator::forget(const View* view) { tracks_.erase(view); }

AnimatableProperties Animator::presentation(const View& view) const {
    AnimatableProperties p = view.animatableProperties();
    auto it = tracks_.find(&view);
    if (it == tracks_.end()) return p;
    double t = now();
    for (const Track& track : it->second) {
        const Group& g = groups_.at(track.group);
        double raw = g.duration > 0 ? (t - g.start) / g.duration : 1.0;
        double k = ease(g.curve, raw);
        const AnimatableProperties& a = track.from;
        const AnimatableProperties& b = track.to;
        auto mix = [k](double x, double y) { return x + (y - x) * k; };
        unsigned f = track.fields;
        if (f & frame) {
            p.frame = Rect(mix(a.frame.minX(), b.frame.minX()), mix(a.frame.minY(), b.frame.minY()),
                           mix(a.frame.width(), b.frame.width()), mix(a.frame.height(), b.frame.height()));
        }
        if (f & transform) p.transform = a.transform.mix(b.transform, k);
        if (f & alpha) p.alpha = mix(a.alpha, b.alpha);
        if (f & background) p.backgroundColor = a.backgroundColor.mix(b.backgroundColor, k);
        if (f & cornerRadius) p.layer.cornerRadius = mix(a.layer.cornerRadius, b.layer.cornerRadius);
        if (f & borderWidth) p.layer.borderWidth = mix(a.layer.borderWidth, b.layer.borderWidth);
        if (f & borderColor) p.layer.borderColor = a.layer.borderColor.mix(b.layer.borderColor, k);
        if (f & shadowColor) p.layer.shadowColor = a.layer.shadowColor.mix(b.layer.shadowColor, k);
        if (f & shadowOpacity) p.layer.shadowOpacity = mix(a.layer.shadowOpacity, b.layer.shadowOpacity);
        if (f & shadowRadius) p.layer.shadowRadius = mix(a.layer.shadowRadius, b.layer.shadowRadius);
        if (f & shadowOffset) {
            p.layer.shadowOffset = {mix(a.layer.shadowOffset.width, b.layer.shadowOffset.width),
                                    mix(a.layer.shadowOffset.height, b.layer.shadowOffset.height)};
        }
    }
    return p;
}

} // namespace tvkit
