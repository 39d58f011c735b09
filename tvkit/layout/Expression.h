#pragma once
// A linear expression over solver variables: sum of coefficient * variable, plus a constant.
// Built with ordinary arithmetic on variables and numbers.
//
//   Variable left, width;
//   Expression right = left + width;          // 1*left + 1*width + 0
//   Expression inset = right - 16;            // constant -16

#include "tvkit/layout/Variable.h"

#include <string>
#include <vector>

namespace tvkit::layout {

struct Term {
    Variable variable;
    double coefficient = 1;
};

class Expression {
public:
    Expression(double constant = 0) : constant_(constant) {}  // NOLINT: numbers are expressions
    Expression(const Variable& v, double coefficient = 1, double constant = 0)  // NOLINT
        : terms_{Term{v, coefficient}}, constant_(constant) {}

    const std::vector<Term>& terms() const { return terms_; }
    double constant() const { return constant_; }
    void setConstant(double c) { constant_ = c; }

    Expression& operator+=(const Expression& other);
    Expression& operator-=(const Expression& other);
    Expression& operator*=(double factor);

    // The current value, reading each variable's last solved value.
    double value() const;
    // "2 * a.width + b.left - 16"; variables print by name.
    std::string toString() const;

private:
    std::vector<Term> terms_;
    double constant_ = 0;
};

Expression operator+(Expression a, const Expression& b);
Expression operator-(Expression a, const Expression& b);
Expression operator*(Expression a, double factor);
Expression operator*(double factor, Expression a);
Expression operator/(Expression a, double divisor);
Expression operator-(Expression a);

} // namespace tvkit::layout
