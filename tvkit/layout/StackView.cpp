#include "tvkit/layout/StackView.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/LayoutGuide.h"

#include <algorithm>

namespace tvkit {
namespace {

// The anchors of one item along the stack's axis and across it, for either axis.
struct Edges {
    LayoutAnchor start, end, center, size;
};

Edges mainEdges(LayoutAxis axis, const std::shared_ptr<LayoutItem>& item) {
    if (axis == LayoutAxis::horizontal) {
        return {{item, LayoutAttribute::leading}, {item, LayoutAttribute::trailing}, {item, LayoutAttribute::centerX},
                {item, LayoutAttribute::width}};
    }
    return {{item, LayoutAttribute::top}, {item, LayoutAttribute::bottom}, {item, LayoutAttribute::centerY},
            {item, LayoutAttribute::height}};
}

Edges crossEdges(LayoutAxis axis, const std::shared_ptr<LayoutItem>& item) {
    return mainEdges(axis == LayoutAxis::horizontal ? LayoutAxis::vertical : LayoutAxis::horizontal, item);
}

// Anchors are typed for callers; here both axes go through one path, so relations are made
// on the untyped anchors directly.
ConstraintRef relate(const LayoutAnchor& a, layout::Relation r, const LayoutAnchor& b, double constant = 0,
                     double multiplier = 1) {
    return std::make_shared<LayoutConstraint>(a, r, b, multiplier, constant);
}

} // namespace

StackView::StackView(std::vector<std::shared_ptr<View>> arranged) {
    for (auto& v : arranged) addArrangedSubview(std::move(v));
}

void StackView::setAxis(LayoutAxis axis) {
    axis_ = axis;
    setNeedsUpdateConstraints();
}

void StackView::setSpacing(double spacing) {
    spacing_ = spacing;
    setNeedsUpdateConstraints();
}

void StackView::setDistribution(Distribution d) {
    distribution_ = d;
    setNeedsUpdateConstraints();
}

void StackView::setAlignment(Alignment a) {
    alignment_ = a;
    setNeedsUpdateConstraints();
}

void StackView::setLayoutMarginsRelativeArrangement(bool relative) {
    marginsRelative_ = relative;
    setNeedsUpdateConstraints();
}

void StackView::addArrangedSubview(std::shared_ptr<View> view) { insertArrangedSubview(std::move(view), arranged_.size()); }

void StackView::insertArrangedSubview(std::shared_ptr<View> view, std::size_t index) {
    if (!view) return;
    View* raw = view.get();
    std::erase(arranged_, raw);
    raw->setTranslatesAutoresizingMaskIntoConstraints(false);
    if (raw->superview() != this) addSubview(std::move(view));
    arranged_.insert(arranged_.begin() + static_cast<std::ptrdiff_t>(std::min(index, arranged_.size())), raw);
    setNeedsUpdateConstraints();
}

void StackView::removeArrangedSubview(View* view) {
    if (std::erase(arranged_, view) == 0) return;
    setNeedsUpdateConstraints();
}

void StackView::willRemoveSubview(View& view) { removeArrangedSubview(&view); }

void StackView::subviewVisibilityDidChange(View& view) {
    if (std::find(arranged_.begin(), arranged_.end(), &view) != arranged_.end()) setNeedsUpdateConstraints();
}

void StackView::updateConstraints() {
    using R = layout::Relation;
    LayoutConstraint::deactivate(built_);
    built_.clear();
    for (auto& g : gaps_) removeLayoutGuide(g.get());
    gaps_.clear();

    std::vector<View*> items;
    for (View* v : arranged_) {
        if (!v->isHidden()) items.push_back(v);
    }
    const std::shared_ptr<LayoutItem>& box = marginsRelative_ ? layoutMarginsGuide().item() : layoutItem();
    Edges boxMain = mainEdges(axis_, box);
    Edges boxCross = crossEdges(axis_, box);
    auto add = [this](ConstraintRef c, double priority = layout::Priority::required) {
        c->setPriority(priority);
        built_.push_back(std::move(c));
    };
    // With nothing else sizing the stack, it wraps its content as tightly as it may.
    add(std::make_shared<LayoutConstraint>(mainEdges(axis_, layoutItem()).size, R::equal, std::nullopt, 0, 0), 49);
    add(std::make_shared<LayoutConstraint>(crossEdges(axis_, layoutItem()).size, R::equal, std::nullopt, 0, 0), 49);

    for (std::size_t i = 0; i < items.size(); ++i) {
        Edges m = mainEdges(axis_, items[i]->layoutItem());
        Edges c = crossEdges(axis_, items[i]->layoutItem());
        if (i == 0) add(relate(m.start, R::equal, boxMain.start));
        if (i + 1 == items.size()) add(relate(m.end, R::equal, boxMain.end));
        switch (alignment_) {
        case Alignment::fill:
            add(relate(c.start, R::equal, boxCross.start));
            add(relate(c.end, R::equal, boxCross.end));
            break;
        case Alignment::leading:
            add(relate(c.start, R::equal, boxCross.start));
            add(relate(c.end, R::lessOrEqual, boxCross.end));
            break;
        case Alignment::trailing:
            add(relate(c.end, R::equal, boxCross.end));
            add(relate(c.start, R::greaterOrEqual, boxCross.start));
            break;
        case Alignment::center:
            add(relate(c.center, R::equal, boxCross.center));
            add(relate(c.start, R::greaterOrEqual, boxCross.start));
            break;
        }
        if (i == 0) continue;
        Edges prev = mainEdges(axis_, items[i - 1]->layoutItem());
        switch (distribution_) {
        case Distribution::fill:
            add(relate(m.start, R::equal, prev.end, spacing_));
            break;
        case Distribution::fillEqually:
            add(relate(m.start, R::equal, prev.end, spacing_));
            add(relate(m.size, R::equal, mainEdges(axis_, items[0]->layoutItem()).size));
            break;
        case Distribution::equalSpacing:
        case Distribution::equalCentering: {
            // A guide spans each gap (or each centre-to-centre distance); all guides are equal.
            auto gap = std::make_shared<LayoutGuide>();
            gap->setIdentifier("stackGap" + std::to_string(i));
            addLayoutGuide(gap);
            Edges g = mainEdges(axis_, gap->item());
            bool centering = distribution_ == Distribution::equalCentering;
            add(relate(g.start, R::equal, centering ? prev.center : prev.end));
            add(relate(g.end, R::equal, centering ? m.center : m.start));
            add(relate(m.start, R::greaterOrEqual, prev.end, spacing_));
            if (!gaps_.empty()) add(relate(g.size, R::equal, mainEdges(axis_, gaps_.front()->item()).size));
            gaps_.push_back(gap);
            break;
        }
        }
    }
    LayoutConstraint::activate(built_);
}

} // namespace tvkit
