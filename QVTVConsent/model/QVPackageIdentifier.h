#pragma once
// Names an external SDK found at run time: the class name that was looked up and the package id
// it stands for.
//
//   qvtv::QVPackageIdentifier id{"FIRAnalytics", "FirebaseAnalytics"};
//   id.description();   // {"className":"FIRAnalytics","packageId":"FirebaseAnalytics"}

#include <string>

#include <nlohmann/json.hpp>

namespace qvtv {

struct QVPackageIdentifier {
    std::string className;
    std::string packageId;

    nlohmann::json toJson() const { return {{"className", className}, {"packageId", packageId}}; }
    std::string description() const {
        return toJson().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }

    friend bool operator==(const QVPackageIdentifier&, const QVPackageIdentifier&) = default;
};

} // namespace qvtv
