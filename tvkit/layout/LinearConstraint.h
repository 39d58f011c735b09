#pragma once
// One solver constraint: `expression relation 0` at a priority, as a cheap shared handle
// (the solver and the layout layer hold the same object). The label names it in warnings
// and dumps; without one the expression is printed.
//
//   Variable x("x");
//   LinearConstraint c(x - 10, Relation::greaterOrEqual, Priority::required, "x >= 10");
//   solver.add(c);

#include "tvkit/layout/Expression.h"
#include "tvkit/layout/Priority.h"

#include <functional>
#include <memory>
#include <string>

namespace tvkit::layout {

enum class Relation { lessOrEqual, equal, greaterOrEqual };

class LinearConstraint {
public:
    LinearConstraint(Expression expression, Relation relation, double priority = Priority::required,
                     std::string label = {})
        : data_(std::make_shared<Data>(
              Data{std::move(expression), relation, Priority::clip(priority), std::move(label), {}})) {}

    const Expression& expression() const { return data_->expression; }
    Relation relation() const { return data_->relation; }
    double priority() const { return data_->priority; }
    bool isRequired() const { return data_->priority >= Priority::required; }
    const std::string& label() const { return data_->label; }
    void setLabel(std::string label) { data_->label = std::move(label); }
    // Names the constraint on demand, for owners whose description is costly to build eagerly.
    void setDescriber(std::function<std::string()> describe) { data_->describe = std::move(describe); }
    // "label" or "a + b - 10 >= 0", followed by " @priority".
    std::string description() const;

    const void* id() const { return data_.get(); }
    friend bool operator==(const LinearConstraint& a, const LinearConstraint& b) { return a.data_ == b.data_; }

private:
    friend class SolverImpl;
    struct Data {
        Expression expression;
        Relation relation;
        double priority;
        std::string label;
        std::function<std::string()> describe;
    };
    // The solver changes the constant in place when asked to re-solve for a new one.
    void setConstant(double c) { data_->expression.setConstant(c); }
    std::shared_ptr<Data> data_;
};

} // namespace tvkit::layout
