#include "tvkit/input/TapGestureRecognizer.h"

#include "tvkit/view/View.h"

namespace tvkit {

Point TapGestureRecognizer::location(const View& in) const {
    const View* own = view();
    if (!own) return {};
    // The recogniser's view clipped by every clipping ancestor, in root coordinates.
    Rect visible = own->convertRect(own->bounds(), nullptr);
    for (const View* v = own->superview(); v; v = v->superview()) {
        if (v->clipsToBounds()) visible = visible.intersection(v->convertRect(v->bounds(), nullptr));
    }
    return in.convertPointFrom(visible.center(), nullptr);
}

} // namespace tvkit
