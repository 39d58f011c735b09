#include "tvkit/render/Renderer.h"

#include "tvkit/app/Window.h"
#include "tvkit/render/Painter.h"
#include "tvkit/view/Animator.h"
#include "tvkit/view/View.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tvkit {

namespace {

constexpr std::size_t maxDamageRects = 12;

// How far a view's painting reaches outside its bounds: the blurred, offset shadow.
Rect paintedRect(const View& view, const AnimatableProperties& p) {
    Rect r = view.bounds();
    const LayerProperties& layer = p.layer;
    if (layer.shadowOpacity > 0 && layer.shadowColor.alpha > 0) {
        const double blur = std::max(0.0, layer.shadowRadius) * 1.5 + 2;
        Rect shadow = r.offsetBy(layer.shadowOffset.width, layer.shadowOffset.height)
                          .inset(EdgeInsets::all(-blur));
        r = r.unionWith(shadow);
    }
    return r;
}

Rect deviceBounds(const Rect& r, const AffineTransform& t) {
    const Point corners[] = {t.apply(r.origin), t.apply({r.maxX(), r.minY()}), t.apply({r.minX(), r.maxY()}),
                             t.apply({r.maxX(), r.maxY()})};
    double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point& c : corners) {
        x0 = std::min(x0, c.x);
        x1 = std::max(x1, c.x);
        y0 = std::min(y0, c.y);
        y1 = std::max(y1, c.y);
    }
    // Whole pixels plus one for anti-aliased edges.
    x0 = std::floor(x0) - 1;
    y0 = std::floor(y0) - 1;
    return {x0, y0, std::ceil(x1) + 1 - x0, std::ceil(y1) + 1 - y0};
}

// From a view's bounds coordinates to its superview's: about the centre, as layers transform.
AffineTransform toSuperview(const View& view, const AnimatableProperties& p) {
    const Rect bounds = view.bounds();
    return AffineTransform::translation(-bounds.minX() - bounds.width() / 2, -bounds.minY() - bounds.height() / 2)
        .concat(p.transform)
        .concat(AffineTransform::translation(p.frame.midX(), p.frame.midY()));
}

void addDamage(std::vector<Rect>& damage, const Rect& r) {
    if (r.isEmpty()) return;
    damage.push_back(r);
}

// Joins overlapping rectangles; too many become their bounding box.
std::vector<Rect> merged(std::vector<Rect> rects, const Rect& screen) {
    for (Rect& r : rects) r = r.intersection(screen);
    std::erase_if(rects, [](const Rect& r) { return r.isEmpty(); });
    bool changed = true;
    while (changed) {
        changed = false;
        for (std::size_t i = 0; i < rects.size() && !changed; ++i) {
            for (std::size_t j = i + 1; j < rects.size(); ++j) {
                if (!rects[i].intersects(rects[j])) continue;
                rects[i] = rects[i].unionWith(rects[j]);
                rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
                changed = true;
                break;
            }
        }
    }
    if (rects.size() <= maxDamageRects) return rects;
    Rect all = rects.front();
    for (const Rect& r : rects) all = all.unionWith(r);
    return {all};
}

} // namespace

Renderer::Renderer(Size screen, double scale)
    : screen_(screen), scale_(scale > 0 ? scale : 1),
      frame_(static_cast<int>(std::lround(screen.width * scale_)), static_cast<int>(std::lround(screen.height * scale_))) {}

Rect Renderer::collect(View& view, const AffineTransform& parentToDevice, double parentAlpha, const Rect& clip,
                       std::unordered_map<std::uint64_t, Snapshot>& next) {
    const AnimatableProperties p = view.presentationProperties();
    const double alpha = parentAlpha * std::clamp(p.alpha, 0.0, 1.0);
    if (view.isHidden() || alpha <= 0) return {};
    Snapshot s;
    s.toDevice = toSuperview(view, p).concat(parentToDevice);
    s.alpha = alpha;
    s.version = view.displayVersion();
    s.size = view.bounds().size;
    s.deviceRect = deviceBounds(paintedRect(view, p), s.toDevice).intersection(clip);
    const std::uint64_t serial = view.serial();
    next[serial] = s;
    const bool clips = view.clipsToBounds() || view.layer().masksToBounds();
    const Rect childClip = clips ? deviceBounds(view.bounds(), s.toDevice).intersection(clip) : clip;
    Rect tree = s.deviceRect;
    if (!childClip.isEmpty()) {
        for (const auto& child : view.subviews()) tree = tree.unionWith(collect(*child, s.toDevice, alpha, childClip, next));
    }
    next[serial].treeRect = tree;
    return tree;
}

bool Renderer::render(Window& window) {
    const bool animating = Animator::shared().hasRunningAnimations();
    const bool settling = std::exchange(animating_, animating);
    if (!window.takeNeedsDisplay() && !animating && !settling && drawnOnce_) return false;
    paintTree(window, !drawnOnce_);
    return true;
}

void Renderer::renderAll(View& root) { paintTree(root, true); }

void Renderer::paintTree(View& root, bool drawEverything) {
    const Rect screen{0, 0, static_cast<double>(frame_.width()), static_cast<double>(frame_.height())};
    std::unordered_map<std::uint64_t, Snapshot> next;
    next.reserve(snapshots_.size() + 16);
    collect(root, AffineTransform::scale(scale_, scale_), 1, screen, next);

    std::vector<Rect> damage;
    if (drawEverything) {
        damage.push_back(screen);
    } else {
        for (auto& [serial, now] : next) {
            auto before = snapshots_.find(serial);
            if (before == snapshots_.end()) {
                addDamage(damage, now.deviceRect);
                continue;
            }
            before->second.seen = true;
            if (before->second == now) continue;
            addDamage(damage, before->second.deviceRect);
            addDamage(damage, now.deviceRect);
        }
        for (const auto& [serial, before] : snapshots_) {
            if (!before.seen) addDamage(damage, before.deviceRect);  // gone or hidden
        }
    }
    snapshots_ = std::move(next);
    damage_ = merged(std::move(damage), screen);
    drawnOnce_ = true;
    if (damage_.empty()) return;

    Painter painter(frame_, scale_);
    painter.clipDevice(damage_);
    painter.clear(Color::black());
    draw(painter, root, drawEverything);
}

void Renderer::draw(Painter& painter, View& view, bool drawEverything) {
    auto found = snapshots_.find(view.serial());
    if (found == snapshots_.end()) return;  // hidden, transparent or clipped away
    const Snapshot& s = found->second;
    const bool touchesDamage = drawEverything || std::any_of(damage_.begin(), damage_.end(), [&](const Rect& d) {
        return d.intersects(s.deviceRect);
    });
    const AnimatableProperties p = view.presentationProperties();
    const LayerProperties& layer = p.layer;
    const Rect bounds = view.bounds();
    const double alpha = std::clamp(p.alpha, 0.0, 1.0);

    painter.save();
    painter.concat(toSuperview(view, p));
    const bool group = alpha < 1;
    if (group) {
        // Cairo sizes a group by the clip: without this, a small translucent view would take
        // a surface the size of the screen.
        painter.clipDevice({s.treeRect});
        painter.beginGroup();
    }
    if (touchesDamage) {
        if (layer.shadowOpacity > 0) {
            painter.drawShadow(bounds, layer.cornerRadius,
                               {layer.shadowColor, layer.shadowOpacity, layer.shadowRadius, layer.shadowOffset}, shadows_,
                               p.backgroundColor.alpha >= 1);
        }
        painter.fillRoundedRect(bounds, layer.cornerRadius, p.backgroundColor);
    }
    painter.save();
    const bool clips = view.clipsToBounds() || view.layer().masksToBounds();
    if (clips) painter.clipRoundedRect(bounds, layer.cornerRadius);
    if (touchesDamage) view.draw(painter);
    for (const auto& child : view.subviews()) draw(painter, *child, drawEverything);
    painter.restore();
    if (touchesDamage) painter.strokeRoundedRect(bounds, layer.cornerRadius, layer.borderWidth, layer.borderColor);
    if (group) painter.endGroup(alpha);
    painter.restore();
}

} // namespace tvkit
