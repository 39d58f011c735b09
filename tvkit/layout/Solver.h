#pragma once
// An incremental linear constraint solver (Cassowary: a simplex tableau kept optimal and
// feasible after every change, with priorities as weights of an objective of error terms).
// Layout uses one per window; it is usable on its own for any system of linear constraints.
//
//   Solver solver;
//   Variable x("x");
//   LinearConstraint atLeast(x - 10, Relation::greaterOrEqual);
//   solver.add(atLeast);
//   solver.add(LinearConstraint(x - 5, Relation::equal, Priority::defaultLow));
//   solver.updateVariables();                 // x.value() == 10: required beats weak
//   solver.setConstant(atLeast, -20);         // x >= 20, re-solved incrementally
//
// Conflicting required constraints never throw: the one being added is demoted to
// Priority::brokenRequired and a warning naming it goes to platform::LogSink.

#include "tvkit/layout/LinearConstraint.h"

#include <cstddef>
#include <memory>
#include <string>

namespace tvkit::layout {

class SolverImpl;

class Solver {
public:
    Solver();
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // Adds a constraint; false (and no change) when it is already present.
    bool add(const LinearConstraint& constraint);
    // Removes a constraint; false when it is not present.
    bool remove(const LinearConstraint& constraint);
    bool contains(const LinearConstraint& constraint) const;
    // True when a required constraint could not hold and was demoted on adding.
    bool isBroken(const LinearConstraint& constraint) const;
    // Changes the constant of a present constraint's expression and re-solves incrementally.
    void setConstant(const LinearConstraint& constraint, double constant);

    // Edit variables: suggestions are held at the given (optional) priority.
    void addEditVariable(const Variable& variable, double priority);
    void removeEditVariable(const Variable& variable);
    void suggestValue(const Variable& variable, double value);

    // Copies the solution into every variable the solver knows.
    void updateVariables();
    std::size_t constraintCount() const;
    // Objective, tableau rows, constraints and variable values as text, for tests and bug reports.
    // It shows the tableau as it stands, changing nothing: after additions that no call has
    // solved yet (updateVariables, remove, setConstant) the values need not be optimal.
    std::string dump() const;

private:
    std::unique_ptr<SolverImpl> impl_;
};

} // namespace tvkit::layout
