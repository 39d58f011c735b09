#pragma once
// The result envelope with a typed payload, present only when there is something to return
// (never when the code is not 200).
//
//   qvtv::QVDataMessage<qvtv::QVConsentStatus> m(200, "Pending", std::nullopt, qvtv::QVConsentStatus::pending);
//   if (m.code() == 200 && m.data()) use(*m.data());
//
// The dictionary form holds the payload under "data": records through toJson(), enumerations as
// their raw value, plain values as JSON; a type may provide `nlohmann::json toDictionaryValue(const T&)`
// next to itself, and any other object shows as the text "<object>".

#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/core/RawValue.h"

namespace qvtv {
namespace detail {

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <class T>
nlohmann::json dictionaryValue(const T& value) {
    if constexpr (requires { toDictionaryValue(value); }) {
        return toDictionaryValue(value);
    } else if constexpr (requires { value.toJson(); }) {
        return value.toJson();
    } else if constexpr (requires { value->toJson(); }) {
        return value ? nlohmann::json(value->toJson()) : nlohmann::json(nullptr);
    } else if constexpr (RawValued<T>) {
        return std::string(rawValue(value));
    } else if constexpr (IsVector<T>::value) {
        nlohmann::json array = nlohmann::json::array();
        for (const auto& element : value) array.push_back(dictionaryValue(element));
        return array;
    } else if constexpr (IsOptional<T>::value) {
        return value ? dictionaryValue(*value) : nlohmann::json(nullptr);
    } else if constexpr (std::is_constructible_v<nlohmann::json, const T&>) {
        return nlohmann::json(value);
    } else {
        // Objects without a JSON form (the engine, template models) still show that a payload is there.
        return "<object>";
    }
}

} // namespace detail

template <class T>
class QVDataMessage : public QVMessage {
public:
    QVDataMessage(std::int64_t code, std::string msg, std::optional<std::string> error = std::nullopt,
                  std::optional<T> data = std::nullopt)
        : QVMessage(code, std::move(msg), std::move(error)), data_(std::move(data)) {}

    const std::optional<T>& data() const { return data_; }

    // The three keys of QVMessage, plus "data" only when there is a payload.
    nlohmann::json toDictionary() const override {
        nlohmann::json dictionary = QVMessage::toDictionary();
        if (data_) dictionary["data"] = detail::dictionaryValue(*data_);
        return dictionary;
    }

private:
    std::optional<T> data_;
};

} // namespace qvtv
