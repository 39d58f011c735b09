#include "QVTVConsent/core/QVError.h"

namespace qvtv {

std::string QVError::localizedDescription() const {
    if (description) return *description;
    return "The operation couldn't be completed. (" + domain + " error " + std::to_string(code) + ".)";
}

} // namespace qvtv
