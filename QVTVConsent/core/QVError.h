#pragma once
// An error value: a domain text, a numeric code and an optional human-readable description.
// Parsers and the service client hand these back instead of throwing; envelopes carry their text.
//
//   qvtv::QVError err{"Invalid JSON (42)", 500};
//   logLine(err.localizedDescription());

#include <cstdint>
#include <optional>
#include <string>

namespace qvtv {

struct QVError {
    std::string domain;
    std::int64_t code = 0;
    std::optional<std::string> description;

    // The description when one was given, otherwise a generic sentence naming domain and code.
    std::string localizedDescription() const;

    friend bool operator==(const QVError&, const QVError&) = default;
};

} // namespace qvtv
