#include "tvkit/layout/LinearConstraint.h"

#include <sstream>

namespace tvkit::layout {

std::string LinearConstraint::description() const {
    std::ostringstream out;
    if (data_->describe) {
        return data_->describe();
    }
    if (!label().empty()) {
        out << label();
    } else {
        static constexpr const char* kOps[] = {" <= 0", " == 0", " >= 0"};
        out << expression().toString() << kOps[static_cast<int>(relation())];
    }
    out << " @" << priority();
    return out.str();
}

} // namespace tvkit::layout
