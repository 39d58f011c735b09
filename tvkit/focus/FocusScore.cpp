#include "tvkit/focus/FocusScore.h"

#include <algorithm>
#include <cmath>

namespace tvkit {
namespace {

// One axis of a rectangle: start and end along it.
struct Span {
    double min;
    double max;
    double mid() const { return (min + max) / 2; }
};

double gapBetween(Span a, Span b) { return std::max(0.0, std::max(b.min - a.max, a.min - b.max)); }

} // namespace

std::optional<double> FocusScore::score(FocusHeading heading, const Rect& from, const Rect& candidate) {
    constexpr double kOverlapTolerance = 1.0;
    bool horizontal = heading == FocusHeading::left || heading == FocusHeading::right;
    if (heading == FocusHeading::none || candidate.isEmpty()) return std::nullopt;
    Span fromMain = horizontal ? Span{from.minX(), from.maxX()} : Span{from.minY(), from.maxY()};
    Span candMain = horizontal ? Span{candidate.minX(), candidate.maxX()} : Span{candidate.minY(), candidate.maxY()};
    Span fromSide = horizontal ? Span{from.minY(), from.maxY()} : Span{from.minX(), from.maxX()};
    Span candSide = horizontal ? Span{candidate.minY(), candidate.maxY()} : Span{candidate.minX(), candidate.maxX()};
    bool forward = heading == FocusHeading::right || heading == FocusHeading::down;
    if (!forward) {
        // Mirror the main axis so that "beyond" always means larger values.
        fromMain = {-fromMain.max, -fromMain.min};
        candMain = {-candMain.max, -candMain.min};
    }
    bool beyond = candMain.min >= fromMain.max - kOverlapTolerance || candMain.mid() >= fromMain.max;
    if (!beyond) return std::nullopt;
    double along = std::max(0.0, candMain.min - fromMain.max);
    double sideways = gapBetween(fromSide, candSide);
    double centreOffset = std::abs(candSide.mid() - fromSide.mid());
    return along + 3 * sideways + 0.1 * centreOffset;
}

} // namespace tvkit
