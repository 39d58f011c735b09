#include "tvkit/layout/LayoutEngine.h"

#include "tvkit/layout/LayoutGuide.h"
#include "tvkit/view/View.h"

namespace tvkit {
namespace {

using layout::Expression;
using layout::LinearConstraint;
using layout::Relation;

LinearConstraint tie(Expression e, std::string label) {
    return LinearConstraint(std::move(e), Relation::equal, layout::Priority::required, std::move(label));
}

} // namespace

LayoutEngine::LayoutEngine(View& root) : root_(root) { adopt(root); }

LayoutEngine::~LayoutEngine() {
    for (LayoutConstraint* c : registered_) c->engine_ = nullptr;
}

void LayoutEngine::adopt(View& subtree) {
    std::vector<View*> stack{&subtree};
    while (!stack.empty()) {
        View* v = stack.back();
        stack.pop_back();
        for (const auto& c : v->constraints()) pending_.push_back(c);
        for (const auto& child : v->subviews()) stack.push_back(child.get());
    }
    changed_ = true;
}

void LayoutEngine::release(View& subtree) {
    std::vector<View*> stack{&subtree};
    while (!stack.empty()) {
        View* v = stack.back();
        stack.pop_back();
        intrinsicDirty_.erase(v);
        for (const auto& c : v->constraints()) remove(*c);
        for (const auto& child : v->subviews()) stack.push_back(child.get());
    }
}

void LayoutEngine::add(const ConstraintRef& constraint) {
    pending_.push_back(constraint);
    changed_ = true;
}

void LayoutEngine::remove(LayoutConstraint& c) {
    if (c.engine_ != this) return;
    solver_.remove(c.linear_);
    registered_.erase(&c);
    c.engine_ = nullptr;
    releaseItem(c.first_.item().get());
    if (c.second_) releaseItem(c.second_->item().get());
    changed_ = true;
}

void LayoutEngine::setConstant(LayoutConstraint& c, double linearConstant) {
    solver_.setConstant(c.linear_, linearConstant);
    changed_ = true;
}

void LayoutEngine::addLinear(const LinearConstraint& c) {
    solver_.add(c);
    changed_ = true;
}

void LayoutEngine::removeLinear(const LinearConstraint& c) {
    solver_.remove(c);
    changed_ = true;
}

// ---- items and what is derived from them ----------------------------------------------------

void LayoutEngine::retain(const std::shared_ptr<LayoutItem>& item) {
    auto& slot = items_[item.get()];
    if (!slot) {
        slot = std::make_unique<ItemState>();
        slot->item = item;
    }
    ItemState& state = *slot;
    if (state.uses++ == 0) addDerived(state);
}

void LayoutEngine::releaseItem(const LayoutItem* item) {
    auto it = items_.find(item);
    if (it == items_.end() || --it->second->uses > 0) return;
    std::unique_ptr<ItemState> state = std::move(it->second);
    items_.erase(it);
    removeDerived(*state);
}

void LayoutEngine::addDerived(ItemState& state) {
    addTies(state);
    if (!state.item->guide && state.item->view) refreshIntrinsic(state);
}

void LayoutEngine::removeDerived(ItemState& state) {
    for (const auto& c : state.ties) removeLinear(c);
    state.ties.clear();
    for (int axis = 0; axis < 2; ++axis) {
        if (state.hug[axis]) removeLinear(*state.hug[axis]);
        if (state.resist[axis]) removeLinear(*state.resist[axis]);
        state.hug[axis].reset();
        state.resist[axis].reset();
    }
    state.intrinsic = {-1, -1};
    safeAreaGuides_.erase(state.item.get());
    auto tiedTo = std::move(state.tiedTo);
    state.tiedTo.clear();
    for (const auto& other : tiedTo) releaseItem(other.get());
}

void LayoutEngine::addTies(ItemState& state) {
    LayoutItem& i = *state.item;
    View* v = i.view;
    if (!v) return;
    auto tieTo = [&](const std::shared_ptr<LayoutItem>& other) {
        retain(other);
        state.tiedTo.push_back(other);
        return other.get();
    };
    if (LayoutGuide* guide = i.guide) {
        LayoutGuide::Kind kind = guide->kind();
        if (kind == LayoutGuide::Kind::custom) return;
        LayoutItem& o = *tieTo(v->layoutItem());
        if (kind == LayoutGuide::Kind::scrollContent) {
            state.ties = {tie(i.left - o.left, i.name + ".left == owner"), tie(i.top - o.top, i.name + ".top == owner")};
        } else if (kind == LayoutGuide::Kind::scrollFrame) {
            state.ties = {tie(i.left - o.left, i.name + ".left == owner"), tie(i.top - o.top, i.name + ".top == owner"),
                          tie(i.width - o.width, i.name + ".width == owner"),
                          tie(i.height - o.height, i.name + ".height == owner")};
        } else {
            EdgeInsets e = kind == LayoutGuide::Kind::layoutMargins ? v->layoutMargins() : v->safeAreaInsets();
            state.insets = e;
            state.ties = {tie(i.left - o.left - e.left, i.name + ".left inset"),
                          tie(i.top - o.top - e.top, i.name + ".top inset"),
                          tie(i.width - o.width + e.horizontal(), i.name + ".width inset"),
                          tie(i.height - o.height + e.vertical(), i.name + ".height inset")};
            if (kind == LayoutGuide::Kind::safeArea) safeAreaGuides_.insert(&i);
        }
    } else if (v->translatesAutoresizingMaskIntoConstraints()) {
        // A manually placed view that constraints mention: its frame is a given.
        Rect f = v->frame();
        state.pinnedFrame = f;
        std::string name = i.name + " frame";
        if (View* s = v->superview()) {
            LayoutItem& p = *tieTo(s->layoutItem());
            state.ties = {tie(i.left - p.left - f.minX(), name + ".x"), tie(i.top - p.top - f.minY(), name + ".y")};
        } else {
            state.ties = {tie(i.left - f.minX(), name + ".x"), tie(i.top - f.minY(), name + ".y")};
        }
        state.ties.push_back(tie(i.width - f.width(), name + ".width"));
        state.ties.push_back(tie(i.height - f.height(), name + ".height"));
    }
    for (const auto& c : state.ties) addLinear(c);
}

void LayoutEngine::refreshIntrinsic(ItemState& state) {
    View& v = *state.item->view;
    Size size = v.intrinsicContentSize();
    for (int axis = 0; axis < 2; ++axis) {
        double value = axis == 0 ? size.width : size.height;
        double old = axis == 0 ? state.intrinsic.width : state.intrinsic.height;
        auto layoutAxis = static_cast<LayoutAxis>(axis);
        double hugging = v.contentHuggingPriority(layoutAxis);
        double resistance = v.contentCompressionResistancePriority(layoutAxis);
        bool samePriorities = state.hug[axis] && state.hug[axis]->priority() == layout::Priority::clip(hugging) &&
                              state.resist[axis]->priority() == layout::Priority::clip(resistance);
        if (value >= 0 && samePriorities) {
            if (value != old) {
                solver_.setConstant(*state.hug[axis], -value);
                solver_.setConstant(*state.resist[axis], -value);
                changed_ = true;
            }
            continue;
        }
        if (state.hug[axis]) {
            removeLinear(*state.hug[axis]);
            removeLinear(*state.resist[axis]);
            state.hug[axis].reset();
            state.resist[axis].reset();
        }
        if (value < 0) continue;
        const layout::Variable& dimension = axis == 0 ? state.item->width : state.item->height;
        std::string name = state.item->name + (axis == 0 ? ".intrinsicWidth" : ".intrinsicHeight");
        state.hug[axis].emplace(Expression(dimension) - value, Relation::lessOrEqual, hugging, name + " hugging");
        state.resist[axis].emplace(Expression(dimension) - value, Relation::greaterOrEqual, resistance,
                                   name + " compression resistance");
        // The stronger of the two goes in first: its row then defines the dimension and the
        // weaker one's error term starts basic, which is already optimal for a view at its
        // intrinsic size. The other order leaves a pivot per view for the first solve, each
        // substituting into every row that positions a later sibling.
        bool resistFirst = state.resist[axis]->priority() >= state.hug[axis]->priority();
        addLinear(resistFirst ? *state.resist[axis] : *state.hug[axis]);
        addLinear(resistFirst ? *state.hug[axis] : *state.resist[axis]);
    }
    state.intrinsic = size;
}

void LayoutEngine::refreshInsets(ItemState& state) {
    LayoutItem& i = *state.item;
    if (!i.guide || !i.view || state.ties.size() != 4) return;
    EdgeInsets e = i.guide->kind() == LayoutGuide::Kind::layoutMargins ? i.view->layoutMargins() : i.view->safeAreaInsets();
    if (e == state.insets) return;
    state.insets = e;
    solver_.setConstant(state.ties[0], -e.left);
    solver_.setConstant(state.ties[1], -e.top);
    solver_.setConstant(state.ties[2], e.horizontal());
    solver_.setConstant(state.ties[3], e.vertical());
    changed_ = true;
}

// ---- notes from views ------------------------------------------------------------------------

void LayoutEngine::frameChanged(View& view) {
    if (!view.hasLayoutItem() || !view.translatesAutoresizingMaskIntoConstraints()) return;
    auto it = items_.find(view.layoutItem().get());
    if (it == items_.end()) return;
    ItemState& state = *it->second;
    Rect f = view.frame();
    if (state.ties.size() != 4 || f == state.pinnedFrame) return;
    state.pinnedFrame = f;
    solver_.setConstant(state.ties[0], -f.minX());
    solver_.setConstant(state.ties[1], -f.minY());
    solver_.setConstant(state.ties[2], -f.width());
    solver_.setConstant(state.ties[3], -f.height());
    changed_ = true;
}

void LayoutEngine::intrinsicSizeChanged(View& view) {
    intrinsicDirty_.insert(&view);
    changed_ = true;
}

void LayoutEngine::derivedConstraintsChanged(View& view) {
    auto rebuild = [this](const LayoutItem* item) {
        auto it = items_.find(item);
        if (it == items_.end()) return;
        removeDerived(*it->second);
        addDerived(*it->second);
    };
    if (view.hasLayoutItem()) rebuild(view.layoutItem().get());
    for (const auto& guide : view.layoutGuides()) {
        auto it = items_.find(guide->item().get());
        if (it != items_.end()) refreshInsets(*it->second);
    }
}

bool LayoutEngine::update() {
    auto pending = std::move(pending_);
    pending_.clear();
    for (const auto& c : pending) {
        if (!c->isActive() || c->engine_ || c->holder()->root() != &root_) continue;
        retain(c->first_.item());
        if (c->second_) retain(c->second_->item());
        solver_.add(c->linear_);
        c->engine_ = this;
        registered_.insert(c.get());
        changed_ = true;
    }
    auto dirty = std::move(intrinsicDirty_);
    intrinsicDirty_.clear();
    for (View* v : dirty) {
        if (!v->hasLayoutItem()) continue;
        auto it = items_.find(v->layoutItem().get());
        if (it != items_.end()) refreshIntrinsic(*it->second);
    }
    std::vector<const LayoutItem*> guides(safeAreaGuides_.begin(), safeAreaGuides_.end());
    for (const LayoutItem* g : guides) refreshInsets(*items_.at(g));
    bool changed = changed_;
    changed_ = false;
    if (changed) solver_.updateVariables();
    return changed;
}

} // namespace tvkit
