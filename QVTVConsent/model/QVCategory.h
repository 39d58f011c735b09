#pragma once
// One consent category as the banner and the settings screen show it, with its packages. The
// screens flip `isEnabled` and `isExpanded` in place and share the objects, so categories and
// their packages live behind std::shared_ptr.
//
//   auto category = qvtv::QVCategory::fromJson(element);
//   if (category) for (auto& pkg : (*category)->packages) show(pkg->packageName);

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVCategoryType.h"
#include "QVTVConsent/model/QVPackage.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

class QVCategory {
public:
    QVCategoryType type = QVCategoryType::unclassified;
    std::string name;
    std::string description;
    std::vector<std::shared_ptr<QVPackage>> packages;
    bool isEnabled = false;
    bool isExpanded = false;

    // Reads "CategoryType", "CategoryName", "CategoryText", "IsEnabled" and the category's own
    // "Packages". Fails with the JSON error tagged "QVCategory" for a value that is no object, a
    // type that names no category (logged as "Invalid CategoryType") or a package that fails.
    static Result<std::shared_ptr<QVCategory>> fromJson(const nlohmann::json& value);
};

} // namespace qvtv
