#pragma once
// A value or the QVError that prevented it. Parsers return it so a caller decides whether a
// failure is fatal, swallowed or turned into an envelope.
//
//   qvtv::Result<int> r = parse(text);
//   if (!r) return r.error();
//   use(*r);

#include <utility>
#include <variant>

#include "QVTVConsent/core/QVError.h"

namespace qvtv {

template <class T>
class [[nodiscard]] Result {
public:
    using value_type = T;

    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(QVError error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only meaningful when ok(); checked access throws std::bad_variant_access otherwise.
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // Only meaningful when !ok().
    const QVError& error() const { return std::get<1>(state_); }

private:
    std::variant<T, QVError> state_;
};

} // namespace qvtv
