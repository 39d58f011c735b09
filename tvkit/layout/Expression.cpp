#include "tvkit/layout/Expression.h"

#include <cmath>
#include <sstream>

namespace tvkit::layout {

Expression& Expression::operator+=(const Expression& other) {
    terms_.insert(terms_.end(), other.terms_.begin(), other.terms_.end());
    constant_ += other.constant_;
    return *this;
}

Expression& Expression::operator-=(const Expression& other) {
    for (const Term& t : other.terms_) terms_.push_back(Term{t.variable, -t.coefficient});
    constant_ -= other.constant_;
    return *this;
}

Expression& Expression::operator*=(double factor) {
    for (Term& t : terms_) t.coefficient *= factor;
    constant_ *= factor;
    return *this;
}

double Expression::value() const {
    double v = constant_;
    for (const Term& t : terms_) v += t.coefficient * t.variable.value();
    return v;
}

std::string Expression::toString() const {
    std::ostringstream out;
    bool first = true;
    for (const Term& t : terms_) {
        double c = t.coefficient;
        if (!first) out << (c < 0 ? " - " : " + ");
        else if (c < 0) out << "-";
        if (std::abs(c) != 1) out << std::abs(c) << " * ";
        out << (t.variable.name().empty() ? "?" : t.variable.name());
        first = false;
    }
    if (first) {
        out << constant_;
    } else if (constant_ != 0) {
        out << (constant_ < 0 ? " - " : " + ") << std::abs(constant_);
    }
    return out.str();
}

Expression operator+(Expression a, const Expression& b) { return a += b; }
Expression operator-(Expression a, const Expression& b) { return a -= b; }
Expression operator*(Expression a, double factor) { return a *= factor; }
Expression operator*(double factor, Expression a) { return a *= factor; }
Expression operator/(Expression a, double divisor) { return a *= 1.0 / divisor; }
Expression operator-(Expression a) { return a *= -1.0; }

} // namespace tvkit::layout
