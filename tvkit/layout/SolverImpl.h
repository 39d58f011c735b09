#pragma once
// The tableau behind Solver (private to the layout folder). Rows are sparse, sorted by
// symbol; a column index (symbol -> basic rows that mention it) keeps pivots and
// substitutions proportional to the rows actually touched. Each cell of a tableau row knows
// its slot in its column, so unlinking it is a swap rather than a search through a column
// that may list hundreds of rows. The objective, which mentions most parametric symbols, is
// dense. Symbols a removal leaves unused are handed out again, so a long-lived window that
// keeps rebuilding constraints does not grow its tableau.

#include "tvkit/layout/DenseRow.h"
#include "tvkit/layout/LinearConstraint.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tvkit::layout {

class SolverImpl {
public:
    bool add(const LinearConstraint& constraint);
    bool remove(const LinearConstraint& constraint);
    bool contains(const LinearConstraint& constraint) const { return constraints_.count(constraint.id()) != 0; }
    bool isBroken(const LinearConstraint& constraint) const;
    void setConstant(const LinearConstraint& constraint, double constant);
    void addEditVariable(const Variable& variable, double priority);
    void removeEditVariable(const Variable& variable);
    void suggestValue(const Variable& variable, double value);
    void updateVariables();
    std::size_t constraintCount() const { return constraints_.size(); }
    std::string dump() const;

private:
    using Sym = std::uint32_t;
    static constexpr Sym kNone = UINT32_MAX;
    enum class Kind : std::uint8_t { external, slack, error, dummy };

    struct Cell {
        Sym sym;
        std::uint32_t slot;  // index in columns_[sym], while the row is in the tableau
        double coeff;
    };
    // Read as: basic = constant + sum(coeff * sym), or, before insertion, 0 = constant + sum.
    struct Row {
        std::vector<Cell> cells;  // sorted by sym, no zero coefficients
        double constant = 0;
        std::vector<Cell>::const_iterator find(Sym s) const;  // the cell of s, or where it would go
        double coefficientFor(Sym s) const;
    };
    struct Tag {
        Sym marker = kNone;
        Sym other = kNone;
    };
    struct ConstraintInfo {
        LinearConstraint constraint;
        Tag tag;
        double weight;  // 0 for required rows, which carry no error terms
        bool broken;
    };
    struct VariableInfo {
        Variable variable;
        Sym sym;
        int uses;
    };

    Sym newSymbol(Kind kind);
    // Frees a symbol that nothing mentions any more for reuse.
    void recycle(Sym s);
    Sym symbolFor(const Variable& v);
    void releaseVariables(const LinearConstraint& constraint);

    // Column upkeep for a cell of the row owned by basic symbol `owner`.
    void link(Cell& cell, Sym owner);
    void unlink(const Cell& cell);

    // Row edits keep the column index right for rows owned by a basic symbol (owner); kNone
    // for rows outside the tableau.
    void addCell(Row& row, Sym owner, Sym s, double coeff);
    // row += factor * other. The cell of `detached` is left out without unlinking: the
    // caller has emptied that column already.
    void addRow(Row& row, Sym owner, const Row& other, double factor, Sym detached = kNone);
    void substituteIn(Row& row, Sym owner, Sym s, const Row& with);
    void addCell(DenseRow& row, Sym s, double coeff);
    void addRow(DenseRow& row, const Row& other, double factor);
    // Below this an entry of `row` is rounding residue. The objective's entries are sums of
    // weights up to ~10^8, so its residue scales with the largest weight it has held; the
    // phase-one row holds plain coefficients.
    double zeroOf(const DenseRow& row) const;
    void substituteIn(DenseRow& row, Sym s, const Row& with);
    static void solveFor(Row& row, Sym s);
    void solveFor(Row& row, Sym lhs, Sym rhs);
    std::unique_ptr<Row> takeRow(Sym basic);
    void putRow(Sym basic, std::unique_ptr<Row> row);
    // Takes a parametric symbol out of every row and the objective, and frees it.
    void dropParametric(Sym s);
    // Empties s's column, handing back the basic symbols it listed (valid until the next call).
    std::vector<Sym>& detachColumn(Sym s);

    bool tryAdd(const LinearConstraint& c, bool required, double weight, Tag& tag);
    std::unique_ptr<Row> createRow(const LinearConstraint& c, bool required, double weight, Tag& tag);
    Sym chooseSubject(const Row& row, const Tag& tag) const;
    bool allDummies(const Row& row) const;
    bool addWithArtificialVariable(std::unique_ptr<Row> row);
    void substitute(Sym s, const Row& row);
    bool optimize(DenseRow& objective);
    bool dualOptimize();
    Sym markerLeavingRow(Sym marker) const;
    // Takes the row a constraint brought in out of the tableau, undoing its addition: the
    // marker's own row when it is basic, else the row the marker is first pivoted into.
    void takeOutRowOf(Sym marker);
    void removeErrorEffects(Sym s, double weight);
    static double markerCoefficient(const LinearConstraint& c, bool required);
    void shiftConstant(const ConstraintInfo& info, double delta);
    bool isRestricted(Sym s) const { return kinds_[s] != Kind::external; }
    std::string symbolName(Sym s) const;
    std::string cellText(Sym s, double coeff) const;
    std::string rowText(const Row& row) const;
    std::string rowText(const DenseRow& row) const;

    std::vector<Kind> kinds_;
    std::vector<std::unique_ptr<Row>> rows_;   // rows_[s] is set when s is basic
    std::vector<std::vector<Sym>> columns_;    // basic symbols whose rows mention s
    std::vector<Sym> detached_;                // detachColumn's result
    std::vector<std::string> externalNames_;   // by symbol, for dumps
    std::vector<Sym> freeSymbols_;
    DenseRow objective_;
    double largestWeight_ = 1.0;  // of any error term the objective has held
    DenseRow artificial_;  // the phase-one objective while inPhaseOne_
    bool inPhaseOne_ = false;
    std::vector<Cell> mergeBuffer_;  // addRow's output, kept to spare an allocation per merge
    std::vector<Sym> infeasible_;
    std::unordered_map<const void*, ConstraintInfo> constraints_;
    std::unordered_map<const void*, VariableInfo> variables_;
    std::vector<std::pair<Variable, Sym>> solved_;  // variables_ as a list, rebuilt when it changes
    bool solvedStale_ = true;
    // Adding keeps the tableau feasible but leaves optimising for later, so a batch of
    // additions pays for one optimisation (run before anything that needs optimality).
    bool optimal_ = true;
    void ensureOptimal();
    std::unordered_map<const void*, LinearConstraint> edits_;
};

} // namespace tvkit::layout
