#pragma once
// A constraint between two anchors (or an anchor and a constant):
//   first  (== | <= | >=)  multiplier * second + constant      at a priority (1..1000).
// Activating it stores it on the nearest common ancestor of its items; the window's layout
// engine solves it at the next layout pass. Constants and priorities may change while active.
//
//   auto height = card->heightAnchor().equalToConstant(52);
//   height->setActive(true);
//   height->setConstant(120);        // re-solved incrementally, laid out at the next pass

#include "tvkit/layout/LayoutAnchor.h"

#include <optional>
#include <string>
#include <vector>

namespace tvkit {

class LayoutEngine;
class View;

class LayoutConstraint : public std::enable_shared_from_this<LayoutConstraint> {
public:
    LayoutConstraint(LayoutAnchor first, layout::Relation relation, std::optional<LayoutAnchor> second,
                     double multiplier, double constant);
    ~LayoutConstraint();
    LayoutConstraint(const LayoutConstraint&) = delete;
    LayoutConstraint& operator=(const LayoutConstraint&) = delete;

    static void activate(const std::vector<ConstraintRef>& constraints);
    static void deactivate(const std::vector<ConstraintRef>& constraints);

    bool isActive() const { return holder_ != nullptr; }
    // Activation fails (with a warning) when the items share no ancestor.
    void setActive(bool active);

    double constant() const { return constant_; }
    void setConstant(double constant);
    double priority() const { return priority_; }
    void setPriority(double priority);
    double multiplier() const { return multiplier_; }
    layout::Relation relation() const { return relation_; }
    const LayoutAnchor& firstAnchor() const { return first_; }
    const std::optional<LayoutAnchor>& secondAnchor() const { return second_; }
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier);
    // "Label#7.leading == View#3.leading + 24 @1000", with the identifier in front when set.
    std::string description() const;

    // The view holding the constraint while active.
    View* holder() const { return holder_; }
    // Whether the constraint mentions `view` or a guide that it owns.
    bool references(const View* view) const;
    const layout::LinearConstraint& linear() const { return linear_; }

private:
    friend class LayoutEngine;
    friend class View;
    void rebuild();

    LayoutAnchor first_;
    std::optional<LayoutAnchor> second_;
    layout::Relation relation_;
    double multiplier_;
    double constant_;
    double priority_ = layout::Priority::required;
    std::string identifier_;
    layout::LinearConstraint linear_;
    View* holder_ = nullptr;
    LayoutEngine* engine_ = nullptr;
};

} // namespace tvkit
