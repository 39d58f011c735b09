#pragma once
// The outcome of one service call for a record type T: the decoded record, a structured service
// error, or a plain failure message that a caller may show.
//
//   qvtv::ApiResult<QVDynamic> r = api.call<QVDynamic>(...);
//   if (r.isSuccess()) use(r.value());
//   else if (r.isApiError()) show(r.apiError().message);
//   else show(r.failureMessage());

#include <string>
#include <utility>
#include <variant>

#include "QVTVConsent/data/QVApiError.h"

namespace qvtv {

template <class T>
class ApiResult {
public:
    static ApiResult success(T value) { return ApiResult(std::in_place_index<0>, std::move(value)); }
    static ApiResult apiError(QVApiError error) { return ApiResult(std::in_place_index<1>, std::move(error)); }
    static ApiResult failure(std::string message) { return ApiResult(std::in_place_index<2>, std::move(message)); }

    bool isSuccess() const { return state_.index() == 0; }
    bool isApiError() const { return state_.index() == 1; }
    bool isFailure() const { return state_.index() == 2; }

    const T& value() const { return std::get<0>(state_); }
    T& value() { return std::get<0>(state_); }
    const QVApiError& apiError() const { return std::get<1>(state_); }
    const std::string& failureMessage() const { return std::get<2>(state_); }

private:
    template <std::size_t I, class V>
    ApiResult(std::in_place_index_t<I> index, V&& value) : state_(index, std::forward<V>(value)) {}

    std::variant<T, QVApiError, std::string> state_;
};

} // namespace qvtv
