#pragma once
// How the service client builds the record type it expects from an answer object. By default a
// record's JSON constructor `T::fromJson(const nlohmann::json&) -> Result<T>`; a type with another
// constructor specialises ApiDecoder next to its use.
//
//   qvtv::Result<QVDynamic> r = qvtv::ApiDecoder<QVDynamic>::decode(object);

#include <memory>

#include <nlohmann/json.hpp>

#include "QVTVConsent/core/QVMessage.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

template <class T>
struct ApiDecoder {
    static Result<T> decode(const nlohmann::json& object) { return T::fromJson(object); }
};

// Records shared by reference: their constructor already hands out the shared pointer.
template <class U>
struct ApiDecoder<std::shared_ptr<U>> {
    static Result<std::shared_ptr<U>> decode(const nlohmann::json& object) { return U::fromJson(object); }
};

// The data-request answer: an envelope read from a non-empty object; an empty object (or an empty
// body) means the request was accepted.
template <>
struct ApiDecoder<QVMessage> {
    static Result<QVMessage> decode(const nlohmann::json& object) {
        if (object.is_object() && object.empty()) return QVMessage(200, "");
        return QVMessage::fromDictionary(object);
    }
};

// For requests whose answer carries nothing to read, such as the consent POST.
struct ApiNoContent {
    static Result<ApiNoContent> fromJson(const nlohmann::json&) { return ApiNoContent{}; }
};

} // namespace qvtv
