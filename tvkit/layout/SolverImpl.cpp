#include "tvkit/layout/SolverImpl.h"

#include "platform/LogSink.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace tvkit::layout {
namespace {

constexpr double kEpsilon = 1.0e-8;
bool nearZero(double v) { return std::abs(v) < kEpsilon; }
// Doubles carry ~16 digits; a few hundred pivots keep the residue of a weighted sum well
// under 10^-12 of its largest term, and the smallest meaningful difference of two weights
// (priorities 1 and 2: ~0.02) stays far above it.
constexpr double kRelativeResidue = 1.0e-12;
constexpr std::size_t kColumnStart = 8;

} // namespace

std::vector<SolverImpl::Cell>::const_iterator SolverImpl::Row::find(Sym s) const {
    return std::lower_bound(cells.begin(), cells.end(), s, [](const Cell& c, Sym v) { return c.sym < v; });
}

double SolverImpl::Row::coefficientFor(Sym s) const {
    auto it = find(s);
    return it != cells.end() && it->sym == s ? it->coeff : 0.0;
}

// ---- symbols and variables -------------------------------------------------------------

SolverImpl::Sym SolverImpl::newSymbol(Kind kind) {
    if (!freeSymbols_.empty()) {
        Sym s = freeSymbols_.back();
        freeSymbols_.pop_back();
        kinds_[s] = kind;
        return s;
    }
    kinds_.push_back(kind);
    rows_.emplace_back();
    columns_.emplace_back();
    externalNames_.emplace_back();
    objective_.resize(kinds_.size());
    artificial_.resize(kinds_.size());
    return static_cast<Sym>(kinds_.size() - 1);
}

void SolverImpl::recycle(Sym s) {
    // No row mentions s any more, so neither does the objective but for rounding residue,
    // which must not become the cost of the symbol's next owner.
    objective_.set(s, 0.0);
    externalNames_[s].clear();
    freeSymbols_.push_back(s);
}

SolverImpl::Sym SolverImpl::symbolFor(const Variable& v) {
    auto it = variables_.find(v.id());
    if (it != variables_.end()) return it->second.sym;
    Sym s = newSymbol(Kind::external);
    externalNames_[s] = v.name();
    variables_.emplace(v.id(), VariableInfo{v, s, 0});
    solvedStale_ = true;
    return s;
}

void SolverImpl::releaseVariables(const LinearConstraint& constraint) {
    for (const Term& t : constraint.expression().terms()) {
        auto it = variables_.find(t.variable.id());
        if (it == variables_.end() || nearZero(t.coefficient) || --it->second.uses > 0) continue;
        // Nothing constrains the variable any more: a row defining it says nothing about the
        // others, so it can go. A symbol still mentioned elsewhere stays known.
        Sym s = it->second.sym;
        if (rows_[s]) takeRow(s);
        if (columns_[s].empty()) {
            variables_.erase(it);
            solvedStale_ = true;
            recycle(s);
        }
    }
}

// ---- row edits ---------------------------------------------------------------------------

void SolverImpl::link(Cell& cell, Sym owner) {
    std::vector<Sym>& column = columns_[cell.sym];
    // Most columns list a handful of rows; starting there spares the first few regrowths.
    if (column.capacity() == 0) column.reserve(kColumnStart);
    cell.slot = static_cast<std::uint32_t>(column.size());
    column.push_back(owner);
}

void SolverImpl::unlink(const Cell& cell) {
    std::vector<Sym>& column = columns_[cell.sym];
    Sym moved = column.back();
    column.pop_back();
    if (cell.slot == column.size()) return;
    column[cell.slot] = moved;
    // Each row appears once in a column, so the moved entry is another row, untouched here.
    Row& other = *rows_[moved];
    other.cells[static_cast<std::size_t>(other.find(cell.sym) - other.cells.begin())].slot = cell.slot;
}

void SolverImpl::addCell(Row& row, Sym owner, Sym s, double coeff) {
    auto at = row.find(s);
    auto i = static_cast<std::size_t>(at - row.cells.begin());
    if (at != row.cells.end() && at->sym == s) {
        Cell& cell = row.cells[i];
        cell.coeff += coeff;
        if (!nearZero(cell.coeff)) return;
        if (owner != kNone) unlink(cell);
        row.cells.erase(at);
        return;
    }
    if (nearZero(coeff)) return;
    row.cells.insert(at, Cell{s, 0, coeff});
    if (owner != kNone) link(row.cells[i], owner);
}

void SolverImpl::addRow(Row& row, Sym owner, const Row& other, double factor, Sym detached) {
    row.constant += other.constant * factor;
    // A short row added into a long one is cheaper cell by cell than by rebuilding the long one.
    if (other.cells.size() * 8 < row.cells.size()) {
        auto at = row.find(detached);
        if (at != row.cells.end() && at->sym == detached) row.cells.erase(at);
        for (const Cell& c : other.cells) addCell(row, owner, c.sym, c.coeff * factor);
        return;
    }
    // Merged into a buffer kept for the next merge and copied back into the row's own
    // storage, so neither allocates once grown.
    std::vector<Cell>& merged = mergeBuffer_;
    merged.clear();
    merged.reserve(row.cells.size() + other.cells.size());
    auto a = row.cells.cbegin();
    auto aEnd = row.cells.cend();
    auto b = other.cells.cbegin();
    auto bEnd = other.cells.cend();
    auto addNew = [&](const Cell& c) {
        double added = c.coeff * factor;
        if (nearZero(added)) return;
        merged.push_back(Cell{c.sym, 0, added});
        if (owner != kNone) link(merged.back(), owner);
    };
    while (a != aEnd && b != bEnd) {
        if (a->sym < b->sym) {
            if (a->sym != detached) merged.push_back(*a);
            ++a;
        } else if (b->sym < a->sym) {
            addNew(*b++);
        } else {
            double sum = a->coeff + b->coeff * factor;
            if (!nearZero(sum)) {
                merged.push_back(Cell{a->sym, a->slot, sum});
            } else if (owner != kNone) {
                unlink(*a);
            }
            ++a;
            ++b;
        }
    }
    for (; a != aEnd; ++a) {
        if (a->sym != detached) merged.push_back(*a);
    }
    while (b != bEnd) addNew(*b++);
    // assign() alone would grow the row to the exact size, reallocating on every merge.
    if (row.cells.capacity() < merged.size()) row.cells.reserve(merged.size() * 3 / 2);
    row.cells.assign(merged.begin(), merged.end());
}

double SolverImpl::zeroOf(const DenseRow& row) const {
    return &row == &objective_ ? std::max(kEpsilon, largestWeight_ * kRelativeResidue) : kEpsilon;
}

void SolverImpl::addCell(DenseRow& row, Sym s, double coeff) {
    double sum = row.coefficient(s) + coeff;
    row.set(s, std::abs(sum) < zeroOf(row) ? 0.0 : sum);
}

void SolverImpl::addRow(DenseRow& row, const Row& other, double factor) {
    row.constant += other.constant * factor;
    for (const Cell& c : other.cells) addCell(row, c.sym, c.coeff * factor);
}

void SolverImpl::substituteIn(DenseRow& row, Sym s, const Row& with) {
    double coeff = row.coefficient(s);
    if (coeff == 0.0) return;
    row.set(s, 0.0);
    addRow(row, with, coeff);
}

void SolverImpl::substituteIn(Row& row, Sym owner, Sym s, const Row& with) {
    double coeff = row.coefficientFor(s);
    if (coeff == 0.0) return;
    addRow(row, owner, with, coeff, s);
}

void SolverImpl::solveFor(Row& row, Sym s) {
    auto it = row.find(s);
    double factor = -1.0 / it->coeff;
    row.cells.erase(it);
    row.constant *= factor;
    for (Cell& c : row.cells) c.coeff *= factor;
}

void SolverImpl::solveFor(Row& row, Sym lhs, Sym rhs) {
    addCell(row, kNone, lhs, -1.0);
    solveFor(row, rhs);
}

std::unique_ptr<SolverImpl::Row> SolverImpl::takeRow(Sym basic) {
    for (const Cell& c : rows_[basic]->cells) unlink(c);
    return std::move(rows_[basic]);
}

void SolverImpl::putRow(Sym basic, std::unique_ptr<Row> row) {
    for (Cell& c : row->cells) link(c, basic);
    rows_[basic] = std::move(row);
}

std::vector<SolverImpl::Sym>& SolverImpl::detachColumn(Sym s) {
    detached_.swap(columns_[s]);
    columns_[s].clear();
    return detached_;
}

void SolverImpl::dropParametric(Sym s) {
    for (Sym b : detachColumn(s)) {
        Row& row = *rows_[b];
        row.cells.erase(row.find(s));
    }
    objective_.set(s, 0.0);
    recycle(s);
}

// ---- adding ------------------------------------------------------------------------------

bool SolverImpl::add(const LinearConstraint& constraint) {
    if (contains(constraint)) return false;
    Tag tag;
    bool required = constraint.isRequired();
    double weight = required ? 0.0 : Priority::weight(constraint.priority());
    bool broken = false;
    if (!tryAdd(constraint, required, weight, tag)) {
        platform::LogSink::write("[WARN] LayoutSolver: Unable to satisfy all required constraints; breaking " +
                                 constraint.description());
        broken = true;
        weight = Priority::weight(Priority::brokenRequired);
        recycle(tag.marker);
        tag = Tag{};
        tryAdd(constraint, false, weight, tag);  // an optional row always fits
    }
    for (const Term& t : constraint.expression().terms()) {
        auto var = variables_.find(t.variable.id());
        if (var != variables_.end() && !nearZero(t.coefficient)) ++var->second.uses;
    }
    constraints_.emplace(constraint.id(), ConstraintInfo{constraint, tag, weight, broken});
    optimal_ = false;
    return true;
}

bool SolverImpl::tryAdd(const LinearConstraint& c, bool required, double weight, Tag& tag) {
    std::unique_ptr<Row> row = createRow(c, required, weight, tag);
    Sym subject = chooseSubject(*row, tag);
    if (subject == kNone && allDummies(*row)) {
        if (!nearZero(row->constant)) return false;
        subject = tag.marker;
    }
    if (subject == kNone) return addWithArtificialVariable(std::move(row));
    solveFor(*row, subject);
    substitute(subject, *row);
    putRow(subject, std::move(row));
    return true;
}

std::unique_ptr<SolverImpl::Row> SolverImpl::createRow(const LinearConstraint& c, bool required, double weight,
                                                       Tag& tag) {
    auto row = std::make_unique<Row>();
    row->constant = c.expression().constant();
    for (const Term& t : c.expression().terms()) {
        if (nearZero(t.coefficient)) continue;
        Sym s = symbolFor(t.variable);
        if (rows_[s]) {
            addRow(*row, kNone, *rows_[s], t.coefficient);
        } else {
            addCell(*row, kNone, s, t.coefficient);
        }
    }
    if (!required) largestWeight_ = std::max(largestWeight_, weight);
    if (c.relation() == Relation::equal) {
        if (required) {
            tag.marker = newSymbol(Kind::dummy);
            addCell(*row, kNone, tag.marker, 1.0);
        } else {
            tag.marker = newSymbol(Kind::error);
            tag.other = newSymbol(Kind::error);
            addCell(*row, kNone, tag.marker, -1.0);
            addCell(*row, kNone, tag.other, 1.0);
            addCell(objective_, tag.marker, weight);
            addCell(objective_, tag.other, weight);
        }
    } else {
        double coeff = c.relation() == Relation::lessOrEqual ? 1.0 : -1.0;
        tag.marker = newSymbol(Kind::slack);
        addCell(*row, kNone, tag.marker, coeff);
        if (!required) {
            tag.other = newSymbol(Kind::error);
            addCell(*row, kNone, tag.other, -coeff);
            addCell(objective_, tag.other, weight);
        }
    }
    if (row->constant < 0.0) {
        row->constant = -row->constant;
        for (Cell& cell : row->cells) cell.coeff = -cell.coeff;
    }
    return row;
}

SolverImpl::Sym SolverImpl::chooseSubject(const Row& row, const Tag& tag) const {
    for (const Cell& c : row.cells) {
        if (kinds_[c.sym] == Kind::external) return c.sym;
    }
    for (Sym s : {tag.marker, tag.other}) {
        if (s == kNone) continue;
        bool pivotable = kinds_[s] == Kind::slack || kinds_[s] == Kind::error;
        if (pivotable && row.coefficientFor(s) < 0.0) return s;
    }
    return kNone;
}

bool SolverImpl::allDummies(const Row& row) const {
    return std::all_of(row.cells.begin(), row.cells.end(), [&](const Cell& c) { return kinds_[c.sym] == Kind::dummy; });
}

bool SolverImpl::addWithArtificialVariable(std::unique_ptr<Row> row) {
    // Phase one: minimise an artificial variable standing for the row; the row is satisfiable
    // exactly when that minimum is zero.
    Sym art = newSymbol(Kind::slack);
    artificial_.constant = row->constant;
    for (const Cell& c : row->cells) artificial_.set(c.sym, c.coeff);
    putRow(art, std::move(row));
    inPhaseOne_ = true;
    optimize(artificial_);
    inPhaseOne_ = false;
    bool success = nearZero(artificial_.constant);
    artificial_.clear();

    if (!success) {
        // The constraint cannot hold. The row art stands for is the only one it brought in, so
        // taking that out puts the tableau back as it was, with nothing of the attempt left
        // behind to hold its slack or steer later solutions.
        takeOutRowOf(art);
    } else if (rows_[art]) {
        std::unique_ptr<Row> artRow = takeRow(art);
        auto pivotable = std::find_if(artRow->cells.begin(), artRow->cells.end(), [&](const Cell& c) {
            return kinds_[c.sym] == Kind::slack || kinds_[c.sym] == Kind::error;
        });
        if (pivotable != artRow->cells.end()) {
            Sym entering = pivotable->sym;
            solveFor(*artRow, art, entering);
            substitute(entering, *artRow);
            putRow(entering, std::move(artRow));
        } else if (!artRow->cells.empty()) {
            success = false;
        }
    }
    dropParametric(art);
    return success;
}

// ---- simplex -----------------------------------------------------------------------------

void SolverImpl::substitute(Sym s, const Row& row) {
    // Every row loses its cell for s, so the column goes at once rather than cell by cell.
    for (Sym b : detachColumn(s)) {
        Row& r = *rows_[b];
        substituteIn(r, b, s, row);
        if (isRestricted(b) && r.constant < 0.0) infeasible_.push_back(b);
    }
    substituteIn(objective_, s, row);
    if (inPhaseOne_) substituteIn(artificial_, s, row);
}

bool SolverImpl::optimize(DenseRow& objective) {
    for (;;) {
        Sym entering = objective.nextNegative(0);
        while (entering != kNone && kinds_[entering] == Kind::dummy) entering = objective.nextNegative(entering + 1);
        if (entering == kNone) return true;
        Sym leaving = kNone;
        double best = std::numeric_limits<double>::max();
        for (Sym b : columns_[entering]) {
            if (!isRestricted(b)) continue;
            double coeff = rows_[b]->coefficientFor(entering);
            if (coeff >= 0.0) continue;
            double ratio = -rows_[b]->constant / coeff;
            if (ratio < best || (ratio == best && b < leaving)) {
                best = ratio;
                leaving = b;
            }
        }
        if (leaving == kNone) {
            platform::LogSink::write("[ERROR] LayoutSolver: the objective is unbounded");
            return false;
        }
        std::unique_ptr<Row> row = takeRow(leaving);
        solveFor(*row, leaving, entering);
        substitute(entering, *row);
        putRow(entering, std::move(row));
    }
}

bool SolverImpl::dualOptimize() {
    while (!infeasible_.empty()) {
        Sym leaving = infeasible_.back();
        infeasible_.pop_back();
        if (!rows_[leaving] || rows_[leaving]->constant >= 0.0) continue;
        Sym entering = kNone;
        double best = std::numeric_limits<double>::max();
        for (const Cell& c : rows_[leaving]->cells) {
            if (kinds_[c.sym] == Kind::dummy || c.coeff <= 0.0) continue;
            double ratio = objective_.coefficient(c.sym) / c.coeff;
            if (ratio < best) {
                best = ratio;
                entering = c.sym;
            }
        }
        if (entering == kNone) {
            infeasible_.clear();
            return false;
        }
        std::unique_ptr<Row> row = takeRow(leaving);
        solveFor(*row, leaving, entering);
        substitute(entering, *row);
        putRow(entering, std::move(row));
    }
    return true;
}

// ---- removing and changing ---------------------------------------------------------------

SolverImpl::Sym SolverImpl::markerLeavingRow(Sym marker) const {
    // Prefer a restricted row that stays feasible, then any restricted row, then an external one.
    double r1 = std::numeric_limits<double>::max();
    double r2 = r1;
    Sym first = kNone, second = kNone, third = kNone;
    for (Sym b : columns_[marker]) {
        const Row& row = *rows_[b];
        double coeff = row.coefficientFor(marker);
        if (!isRestricted(b)) {
            third = b;
        } else if (coeff < 0.0) {
            double r = -row.constant / coeff;
            if (r < r1) r1 = r, first = b;
        } else {
            double r = row.constant / coeff;
            if (r < r2) r2 = r, second = b;
        }
    }
    if (first != kNone) return first;
    if (second != kNone) return second;
    return third;
}

void SolverImpl::takeOutRowOf(Sym marker) {
    if (rows_[marker]) {
        takeRow(marker);
        return;
    }
    Sym leaving = markerLeavingRow(marker);
    if (leaving == kNone) return;
    std::unique_ptr<Row> row = takeRow(leaving);
    solveFor(*row, leaving, marker);
    substitute(marker, *row);
}

void SolverImpl::removeErrorEffects(Sym s, double weight) {
    if (s == kNone || kinds_[s] != Kind::error) return;
    if (rows_[s]) {
        addRow(objective_, *rows_[s], -weight);
    } else {
        addCell(objective_, s, -weight);
    }
}

bool SolverImpl::remove(const LinearConstraint& constraint) {
    auto it = constraints_.find(constraint.id());
    if (it == constraints_.end()) return false;
    ensureOptimal();
    ConstraintInfo info = std::move(it->second);
    constraints_.erase(it);
    removeErrorEffects(info.tag.marker, info.weight);
    removeErrorEffects(info.tag.other, info.weight);
    Sym marker = info.tag.marker;
    takeOutRowOf(marker);
    // The other error term means nothing without its constraint. The current solution has it
    // at zero (parametric) or defines it by a row no other row depends on, so taking it out
    // leaves the solution as it is and keeps it from steering the objective.
    Sym other = info.tag.other;
    if (other != kNone) {
        if (rows_[other]) takeRow(other);
        dropParametric(other);
    }
    recycle(marker);
    optimize(objective_);
    releaseVariables(info.constraint);
    return true;
}

bool SolverImpl::isBroken(const LinearConstraint& constraint) const {
    auto it = constraints_.find(constraint.id());
    return it != constraints_.end() && it->second.broken;
}

double SolverImpl::markerCoefficient(const LinearConstraint& c, bool required) {
    switch (c.relation()) {
    case Relation::lessOrEqual: return 1.0;
    case Relation::greaterOrEqual: return -1.0;
    case Relation::equal: return required ? 1.0 : -1.0;
    }
    return 1.0;
}

void SolverImpl::setConstant(const LinearConstraint& constraint, double constant) {
    auto it = constraints_.find(constraint.id());
    if (it == constraints_.end()) {
        LinearConstraint(constraint).setConstant(constant);
        return;
    }
    double delta = constant - constraint.expression().constant();
    if (delta == 0.0) return;
    ConstraintInfo& info = it->second;
    LinearConstraint handle = info.constraint;
    bool required = info.weight == 0.0;
    // A redundant required equality (its dummy marker basic) and a broken one cannot be shifted
    // in place; re-adding lets add() decide, and lets a broken one hold again.
    bool reAdd = info.broken || (required && kinds_[info.tag.marker] == Kind::dummy && rows_[info.tag.marker]);
    handle.setConstant(constant);
    if (reAdd) {
        remove(handle);
        add(handle);
        return;
    }
    ensureOptimal();  // the dual simplex starts from an optimal tableau
    shiftConstant(info, delta);
    if (dualOptimize()) return;
    if (!required) {
        platform::LogSink::write("[ERROR] LayoutSolver: re-solve failed for " + handle.description());
        return;
    }
    // The new constant contradicts other required constraints: undo the shift (the old system
    // was feasible, so that always settles) and re-add, which breaks the constraint with a warning.
    shiftConstant(info, -delta);
    for (Sym s = 0; s < rows_.size(); ++s) {
        if (rows_[s] && isRestricted(s) && rows_[s]->constant < 0.0) infeasible_.push_back(s);
    }
    dualOptimize();
    remove(handle);
    add(handle);
}

void SolverImpl::shiftConstant(const ConstraintInfo& info, double delta) {
    // Raising the constant by delta is the same as shifting the marker by delta / coefficient
    // (or the other error term by its own), so only rows mentioning it change.
    const LinearConstraint& c = info.constraint;
    bool required = info.weight == 0.0;
    Sym marker = info.tag.marker;
    Sym other = info.tag.other;
    double markerShift = delta / markerCoefficient(c, required);
    if (rows_[marker]) {
        rows_[marker]->constant -= markerShift;
        if (rows_[marker]->constant < 0.0) infeasible_.push_back(marker);
        return;
    }
    if (other != kNone && rows_[other]) {
        double otherCoeff = c.relation() == Relation::equal ? 1.0 : -markerCoefficient(c, false);
        rows_[other]->constant -= delta / otherCoeff;
        if (rows_[other]->constant < 0.0) infeasible_.push_back(other);
        return;
    }
    for (Sym b : columns_[marker]) {
        Row& row = *rows_[b];
        row.constant += row.coefficientFor(marker) * markerShift;
        if (isRestricted(b) && row.constant < 0.0) infeasible_.push_back(b);
    }
}

// ---- edit variables ----------------------------------------------------------------------

void SolverImpl::addEditVariable(const Variable& variable, double priority) {
    if (edits_.count(variable.id())) return;
    // An edit is a wish, never a requirement.
    double p = std::min(Priority::clip(priority), Priority::brokenRequired);
    LinearConstraint c(Expression(variable), Relation::equal, p, "edit " + variable.name());
    edits_.emplace(variable.id(), c);
    add(c);
}

void SolverImpl::removeEditVariable(const Variable& variable) {
    auto it = edits_.find(variable.id());
    if (it == edits_.end()) return;
    remove(it->second);
    edits_.erase(it);
}

void SolverImpl::suggestValue(const Variable& variable, double value) {
    auto it = edits_.find(variable.id());
    if (it == edits_.end()) {
        platform::LogSink::write("[WARN] LayoutSolver: suggestValue for " + variable.name() +
                                 ", which is not an edit variable");
        return;
    }
    setConstant(it->second, -value);
}

void SolverImpl::ensureOptimal() {
    if (optimal_) return;
    optimize(objective_);
    optimal_ = true;
}

void SolverImpl::updateVariables() {
    ensureOptimal();
    if (solvedStale_) {
        solved_.clear();
        for (const auto& [id, info] : variables_) solved_.emplace_back(info.variable, info.sym);
        solvedStale_ = false;
    }
    for (auto& [variable, sym] : solved_) {
        const Row* row = rows_[sym].get();
        variable.setValue(row ? row->constant : 0.0);
    }
}

// ---- dump --------------------------------------------------------------------------------

std::string SolverImpl::symbolName(Sym s) const {
    if (kinds_[s] == Kind::external && !externalNames_[s].empty()) return externalNames_[s];
    char prefix = 'v';
    switch (kinds_[s]) {
    case Kind::external: break;
    case Kind::slack: prefix = 's'; break;
    case Kind::error: prefix = 'e'; break;
    case Kind::dummy: prefix = 'd'; break;
    }
    // Appended rather than "s" + number: g++ 12 at -O3 falsely warns (-Wrestrict) when a
    // literal is prepended to a temporary string.
    return std::string(1, prefix).append(std::to_string(s));
}

std::string SolverImpl::cellText(Sym s, double coeff) const {
    std::ostringstream out;
    out << (coeff < 0 ? " - " : " + ") << std::abs(coeff) << " * " << symbolName(s);
    return out.str();
}

std::string SolverImpl::rowText(const Row& row) const {
    std::ostringstream out;
    out << row.constant;
    for (const Cell& c : row.cells) out << cellText(c.sym, c.coeff);
    return out.str();
}

std::string SolverImpl::rowText(const DenseRow& row) const {
    std::ostringstream out;
    out << row.constant;
    for (Sym s = row.nextNonZero(0); s != kNone; s = row.nextNonZero(s + 1)) out << cellText(s, row.coefficient(s));
    return out.str();
}

std::string SolverImpl::dump() const {
    // The tableau as it stands: optimising here would make looking at a solver change the
    // solution it goes on to find.
    std::ostringstream out;
    out << "Objective" << (optimal_ ? "" : " (not optimised since the last addition)") << "\n  "
        << rowText(objective_) << "\nTableau\n";
    for (Sym s = 0; s < rows_.size(); ++s) {
        if (rows_[s]) out << "  " << symbolName(s) << " = " << rowText(*rows_[s]) << "\n";
    }
    std::vector<std::string> lines;
    for (const auto& [id, info] : constraints_) {
        lines.push_back(info.constraint.description() + (info.broken ? " (broken)" : ""));
    }
    std::sort(lines.begin(), lines.end());
    out << "Constraints\n";
    for (const auto& l : lines) out << "  " << l << "\n";
    lines.clear();
    for (const auto& [id, info] : variables_) {
        const Row* row = rows_[info.sym].get();
        std::ostringstream v;
        v << symbolName(info.sym) << " = " << (row ? row->constant : 0.0);
        lines.push_back(v.str());
    }
    std::sort(lines.begin(), lines.end());
    out << "Variables\n";
    for (const auto& l : lines) out << "  " << l << "\n";
    return out.str();
}

} // namespace tvkit::layout
