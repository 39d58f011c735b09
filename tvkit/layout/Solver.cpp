#include "tvkit/layout/Solver.h"

#include "tvkit/layout/SolverImpl.h"

namespace tvkit::layout {

Solver::Solver() : impl_(std::make_unique<SolverImpl>()) {}
Solver::~Solver() = default;

bool Solver::add(const LinearConstraint& constraint) { return impl_->add(constraint); }
bool Solver::remove(const LinearConstraint& constraint) { return impl_->remove(constraint); }
bool Solver::contains(const LinearConstraint& constraint) const { return impl_->contains(constraint); }
bool Solver::isBroken(const LinearConstraint& constraint) const { return impl_->isBroken(constraint); }
void Solver::setConstant(const LinearConstraint& constraint, double constant) {
    impl_->setConstant(constraint, constant);
}
void Solver::addEditVariable(const Variable& variable, double priority) { impl_->addEditVariable(variable, priority); }
void Solver::removeEditVariable(const Variable& variable) { impl_->removeEditVariable(variable); }
void Solver::suggestValue(const Variable& variable, double value) { impl_->suggestValue(variable, value); }
void Solver::updateVariables() { impl_->updateVariables(); }
std::size_t Solver::constraintCount() const { return impl_->constraintCount(); }
std::string Solver::dump() const { return impl_->dump(); }

} // namespace tvkit::layout
