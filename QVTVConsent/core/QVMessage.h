#pragma once
// The result envelope every public and repository operation answers with instead of throwing:
// an HTTP-like code (200 is success), a fixed message text and an optional error detail.
//
//   qvtv::QVMessage m(404, "Consent data not found! Pending Consent collection");
//   if (m.code() != 200) show(m.msg());
//   m.description();   // {"code":404,"error":null,"msg":"Consent data not found! ..."}

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "QVTVConsent/core/Result.h"

namespace qvtv {

class QVMessage {
public:
    QVMessage(std::int64_t code, std::string msg, std::optional<std::string> error = std::nullopt)
        : code_(code), msg_(std::move(msg)), error_(std::move(error)) {}
    virtual ~QVMessage() = default;
    QVMessage(const QVMessage&) = default;
    QVMessage& operator=(const QVMessage&) = default;

    // Reads the dictionary form back: "code" (default 0), "msg" (default empty), "error" (null or
    // missing means none). A value that is not a dictionary fails with the JSON error.
    static Result<QVMessage> fromDictionary(const nlohmann::json& value);

    std::int64_t code() const { return code_; }
    const std::string& msg() const { return msg_; }
    const std::optional<std::string>& error() const { return error_; }

    // Keys "code", "msg" and "error" (JSON null when there is no error).
    virtual nlohmann::json toDictionary() const;
    // The compact text of the dictionary form.
    std::string description() const;

private:
    std::int64_t code_;
    std::string msg_;
    std::optional<std::string> error_;
};

} // namespace qvtv
