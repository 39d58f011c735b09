#pragma once
// Anchors name one edge, centre or dimension of a view or layout guide and make constraints
// against another anchor of the same kind. X, Y and dimension anchors are distinct types, so
// a leading edge cannot be tied to a top edge by mistake.
//
//   auto c = label->leadingAnchor().equalTo(card->leadingAnchor(), 24);
//   auto w = card->widthAnchor().equalToMultiple(screen->widthAnchor(), 0.55);
//   LayoutConstraint::activate({c, w});

#include "tvkit/layout/LayoutItem.h"
#include "tvkit/layout/LinearConstraint.h"

#include <memory>
#include <string>

namespace tvkit {

class LayoutConstraint;
using ConstraintRef = std::shared_ptr<LayoutConstraint>;

enum class LayoutAttribute { leading, trailing, top, bottom, width, height, centerX, centerY };

class LayoutAnchor {
public:
    LayoutAnchor(std::shared_ptr<LayoutItem> item, LayoutAttribute attribute)
        : item_(std::move(item)), attribute_(attribute) {}

    const std::shared_ptr<LayoutItem>& item() const { return item_; }
    LayoutAttribute attribute() const { return attribute_; }
    layout::Expression expression() const;
    std::string description() const;  // "Label#7.leading"

protected:
    ConstraintRef relate(layout::Relation relation, const LayoutAnchor* other, double multiplier, double constant) const;

private:
    std::shared_ptr<LayoutItem> item_;
    LayoutAttribute attribute_;
};

template <class Self>
class AxisAnchor : public LayoutAnchor {
public:
    using LayoutAnchor::LayoutAnchor;
    ConstraintRef equalTo(const Self& other, double constant = 0) const {
        return relate(layout::Relation::equal, &other, 1, constant);
    }
    ConstraintRef lessOrEqualTo(const Self& other, double constant = 0) const {
        return relate(layout::Relation::lessOrEqual, &other, 1, constant);
    }
    ConstraintRef greaterOrEqualTo(const Self& other, double constant = 0) const {
        return relate(layout::Relation::greaterOrEqual, &other, 1, constant);
    }
};

class XAxisAnchor final : public AxisAnchor<XAxisAnchor> {
public:
    using AxisAnchor::AxisAnchor;
};

class YAxisAnchor final : public AxisAnchor<YAxisAnchor> {
public:
    using AxisAnchor::AxisAnchor;
};

class DimensionAnchor final : public AxisAnchor<DimensionAnchor> {
public:
    using AxisAnchor::AxisAnchor;
    ConstraintRef equalToConstant(double c) const { return relate(layout::Relation::equal, nullptr, 0, c); }
    ConstraintRef lessOrEqualToConstant(double c) const { return relate(layout::Relation::lessOrEqual, nullptr, 0, c); }
    ConstraintRef greaterOrEqualToConstant(double c) const {
        return relate(layout::Relation::greaterOrEqual, nullptr, 0, c);
    }
    // this = multiplier * other + constant (and the inequalities).
    ConstraintRef equalToMultiple(const DimensionAnchor& other, double multiplier, double constant = 0) const {
        return relate(layout::Relation::equal, &other, multiplier, constant);
    }
    ConstraintRef lessOrEqualToMultiple(const DimensionAnchor& other, double multiplier, double constant = 0) const {
        return relate(layout::Relation::lessOrEqual, &other, multiplier, constant);
    }
    ConstraintRef greaterOrEqualToMultiple(const DimensionAnchor& other, double multiplier, double constant = 0) const {
        return relate(layout::Relation::greaterOrEqual, &other, multiplier, constant);
    }
};

} // namespace tvkit
