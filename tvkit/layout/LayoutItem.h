#pragma once
// The four solver variables of something that takes part in constraint layout: a view or a
// layout guide. Positions are in the coordinate space of the tree's root view, so constraints
// may relate items anywhere in one tree.

#include "tvkit/graphics/Rect.h"
#include "tvkit/layout/Variable.h"

#include <string>

namespace tvkit {

class View;
class LayoutGuide;

struct LayoutItem {
    LayoutItem(View* owner, LayoutGuide* guideOrNull, const std::string& name)
        : left(name + ".left"), top(name + ".top"), width(name + ".width"), height(name + ".height"),
          view(owner), guide(guideOrNull), name(name) {}

    layout::Variable left, top, width, height;
    View* view;          // the view itself, or the view that owns the guide; cleared when it goes
    LayoutGuide* guide;  // set for layout guides
    std::string name;

    Rect solvedRect() const { return {left.value(), top.value(), width.value(), height.value()}; }
};

} // namespace tvkit
