#pragma once
// The two HTTP methods the service client uses, with the text sent on the wire.
//
//   qvtv::httpMethodName(qvtv::HttpMethod::post);   // "POST"

#include <string_view>

namespace qvtv {

enum class HttpMethod { get, post };

constexpr std::string_view httpMethodName(HttpMethod method) { return method == HttpMethod::get ? "GET" : "POST"; }

} // namespace qvtv
