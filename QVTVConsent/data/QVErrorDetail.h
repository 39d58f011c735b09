#pragma once
// One detail of a service error. The service sends none the library reads; the type exists so
// that `QVApiError::errors` has an element type.

namespace qvtv {

struct QVErrorDetail {
    friend bool operator==(const QVErrorDetail&, const QVErrorDetail&) = default;
};

} // namespace qvtv
