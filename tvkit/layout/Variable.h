#pragma once
// A solver variable: a cheap, copyable handle to a named value that the constraint
// solver writes after each solve. Views own four of them (left, top, width, height).
//
//   tvkit::layout::Variable width("card.width");
//   solver.add(LinearConstraint(width - 200, Relation::equal));
//   solver.updateVariables();   // width.value() == 200

#include <memory>
#include <string>
#include <utility>

namespace tvkit::layout {

class Variable {
public:
    explicit Variable(std::string name = {}) : data_(std::make_shared<Data>(Data{std::move(name), 0})) {}

    const std::string& name() const { return data_->name; }
    void setName(std::string name) { data_->name = std::move(name); }
    double value() const { return data_->value; }
    void setValue(double v) { data_->value = v; }

    // Identity, not value: two handles are equal when they name the same variable.
    const void* id() const { return data_.get(); }
    friend bool operator==(const Variable& a, const Variable& b) { return a.data_ == b.data_; }

private:
    struct Data {
        std::string name;
        double value;
    };
    std::shared_ptr<Data> data_;
};

} // namespace tvkit::layout
