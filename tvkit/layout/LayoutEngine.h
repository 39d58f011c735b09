#pragma once
// The solver of one view tree, owned by its root. It holds every active constraint of the
// tree plus the ones it derives itself: pins for manually placed views that constraints
// mention, intrinsic-size constraints (hugging and compression resistance) and the ties of
// built-in layout guides. Activations are queued and added in one batch at the next pass.
//
//   View::layoutIfNeeded() drives it; tests read dump() to see the solver's state.

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/Solver.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tvkit {

class View;

class LayoutEngine {
public:
    explicit LayoutEngine(View& root);
    LayoutEngine(const LayoutEngine&) = delete;
    LayoutEngine& operator=(const LayoutEngine&) = delete;
    ~LayoutEngine();

    // Queues every active constraint held in `subtree` (a subtree joining this tree).
    void adopt(View& subtree);
    // Takes out every constraint held in `subtree` (a subtree leaving this tree).
    void release(View& subtree);

    void add(const ConstraintRef& constraint);   // queued until update()
    void remove(LayoutConstraint& constraint);
    void setConstant(LayoutConstraint& constraint, double linearConstant);

    // Notes from views whose derived constraints change.
    void frameChanged(View& view);
    void intrinsicSizeChanged(View& view);
    void derivedConstraintsChanged(View& view);  // translates flag, margins, priorities

    // Adds queued constraints and refreshes derived ones, then copies the solution into the
    // variables. Returns whether anything changed since the last call.
    bool update();
    bool hasPendingChanges() const { return changed_ || !pending_.empty() || !intrinsicDirty_.empty(); }
    bool isTracked(const LayoutItem* item) const { return items_.count(item) != 0; }
    layout::Solver& solver() { return solver_; }
    std::string dump() const { return solver_.dump(); }

private:
    struct ItemState {
        std::shared_ptr<LayoutItem> item;
        int uses = 0;
        std::vector<layout::LinearConstraint> ties;     // pins or guide ties
        std::vector<std::shared_ptr<LayoutItem>> tiedTo;
        EdgeInsets insets;
        Rect pinnedFrame;
        Size intrinsic{-1, -1};
        std::optional<layout::LinearConstraint> hug[2];
        std::optional<layout::LinearConstraint> resist[2];
    };

    void retain(const std::shared_ptr<LayoutItem>& item);
    void releaseItem(const LayoutItem* item);
    void addDerived(ItemState& state);
    void removeDerived(ItemState& state);
    void addTies(ItemState& state);
    void refreshIntrinsic(ItemState& state);
    void refreshInsets(ItemState& state);
    void addLinear(const layout::LinearConstraint& c);
    void removeLinear(const layout::LinearConstraint& c);

    View& root_;
    layout::Solver solver_;
    std::vector<ConstraintRef> pending_;
    std::unordered_map<const LayoutItem*, std::unique_ptr<ItemState>> items_;
    std::unordered_set<View*> intrinsicDirty_;
    std::unordered_set<const LayoutItem*> safeAreaGuides_;
    std::unordered_set<LayoutConstraint*> registered_;
    bool changed_ = true;
};

} // namespace tvkit
