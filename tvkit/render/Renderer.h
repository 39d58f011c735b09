#pragma once
// Draws a window's view tree with Cairo into an RGBA frame: backgrounds, corner radii, borders,
// blurred shadows, transforms about each view's centre, alpha, hidden views, clipping and each
// view's own content (text, images). It redraws only what changed: an untouched window costs
// nothing, and a change repaints just the damaged rectangles (the old and new places of the
// views whose appearance moved).
//
//   Renderer renderer({1920, 1080});
//   if (renderer.render(window)) show(renderer.frame());   // false: nothing changed

#include "tvkit/graphics/AffineTransform.h"
#include "tvkit/graphics/Rect.h"
#include "tvkit/render/Bitmap.h"
#include "tvkit/render/ShadowCache.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tvkit {

class Painter;
class View;
class Window;

class Renderer {
public:
    // `scale` device pixels per point: a 1080p UI on a 4K frame uses 2.
    explicit Renderer(Size screen, double scale = 1);

    // Draws what changed since the last frame; false (and no work) when the window is clean
    // and nothing is animating. While animations run, and once more after the last one ends,
    // every call compares the tree's presentation with the last frame, so moving and fading
    // views are drawn frame by frame and come to rest where their model values are.
    bool render(Window& window);
    // Redraws every pixel of the tree under `root`.
    void renderAll(View& root);

    const Bitmap& frame() const { return frame_; }
    // The device rectangles repainted by the last frame.
    const std::vector<Rect>& lastDamage() const { return damage_; }

private:
    // What a view looked like on screen when last drawn; a difference means damage.
    struct Snapshot {
        Rect deviceRect;    // painted area in device pixels (shadow included), clipped
        Rect treeRect;      // deviceRect with every descendant's: what a group of the view can cover
        Size size;          // of the bounds, which a clip can hide from deviceRect
        AffineTransform toDevice;
        double alpha = 1;
        std::uint64_t version = 0;
        bool seen = false;
        bool operator==(const Snapshot& o) const {
            return deviceRect == o.deviceRect && size == o.size && toDevice == o.toDevice && alpha == o.alpha &&
                   version == o.version;
        }
    };

    // Returns the view's treeRect.
    Rect collect(View& view, const AffineTransform& parentToDevice, double parentAlpha, const Rect& clip,
                 std::unordered_map<std::uint64_t, Snapshot>& next);
    void draw(Painter& painter, View& view, bool drawEverything);
    void paintTree(View& root, bool drawEverything);

    Size screen_;
    double scale_;
    Bitmap frame_;
    ShadowCache shadows_;
    std::unordered_map<std::uint64_t, Snapshot> snapshots_;
    std::vector<Rect> damage_;
    bool drawnOnce_ = false;
    bool animating_ = false;  // at the last render
};

} // namespace tvkit
