#include "QVTVConsent/adapters/QVSupportedPackage.h"

#include <algorithm>

#include "QVTVConsent/core/StringUtils.h"
#include "platform/ClassRegistry.h"
#include "platform/NoDestructor.h"

namespace qvtv {

const QVSupportedPackage& QVSupportedPackage::firebaseAnalytics() {
    static const platform::NoDestructor<QVSupportedPackage> p(
        std::nullopt, "FIRAnalytics", "FirebaseAnalytics", QVCategoryType::analytics,
        false, QVConsentSignalInputType::gcmSignalMap, true);
    return *p;
}

const QVSupportedPackage& QVSupportedPackage::singular() {
    static const platform::NoDestructor<QVSupportedPackage> p(
        std::nullopt, "Singular", "Singular", QVCategoryType::advertising,
        true, QVConsentSignalInputType::boolean, true);
    return *p;
}

const QVSupportedPackage& QVSupportedPackage::tenjin() {
    static const platform::NoDestructor<QVSupportedPackage> p(
        std::nullopt, "TenjinSDK", "TenjinSDK", QVCategoryType::advertising,
        true, QVConsentSignalInputType::boolean, true);
    return *p;
}

const QVSupportedPackage& QVSupportedPackage::airbridge() {
    static const platform::NoDestructor<QVSupportedPackage> p(
        "Airbridge", "Airbridge", "Airbridge", QVCategoryType::advertising,
        true, QVConsentSignalInputType::boolean, true);
    return *p;
}

const std::vector<QVSupportedPackage>& QVSupportedPackage::allValues() {
    static const platform::NoDestructor<std::vector<QVSupportedPackage>> all(
        std::vector<QVSupportedPackage>{firebaseAnalytics(), singular(), tenjin(), airbridge()});
    return *all;
}

std::optional<QVSupportedPackage> QVSupportedPackage::fromPackageId(std::string_view packageId) {
    const std::string wanted = StringUtils::toLower(packageId);
    for (const auto& p : allValues()) {
        if (StringUtils::toLower(p.packageId) == wanted) return p;
    }
    return std::nullopt;
}

bool QVSupportedPackage::requiresTrackingAuthorization() {
    return std::ranges::any_of(allValues(), [](const QVSupportedPackage& p) {
        return p.requiresATT && p.packageClass() != nullptr;
    });
}

std::string QVSupportedPackage::className() const {
    return moduleName ? *moduleName + "." + rootClassName : rootClassName;
}

platform::ObjectHandle QVSupportedPackage::packageClass() const {
    return platform::ClassRegistry::lookup(className());
}

std::string QVSupportedPackage::description() const {
    return "QVSupportedPackage(packageId: \"" + packageId + "\", className: \"" + className() + "\")";
}

} // namespace qvtv
