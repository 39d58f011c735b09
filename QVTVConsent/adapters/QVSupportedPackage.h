#pragma once
// One external SDK the library knows how to drive without linking it: the class whose presence at
// run time proves the host contains it, the package id the consent service's templates use for it,
// its consent category and the kind of consent signal its adapter takes. The registry is the four
// static entries, in a fixed order.
//
//   if (auto pkg = qvtv::QVSupportedPackage::fromPackageId("firebaseanalytics")) {
//       bool linked = pkg->packageClass() != nullptr;   // looks up "FIRAnalytics"
//   }

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "QVTVConsent/model/QVCategoryType.h"
#include "platform/RuntimeObject.h"

namespace qvtv {

// The kind of consent signal an SDK's adapter takes alongside its enabled flag.
enum class QVConsentSignalInputType {
    gcmSignalMap,  // QVGCMSignalMap: the Google Consent Mode signals
    boolean,
};

struct QVSupportedPackage {
    std::optional<std::string> moduleName;
    std::string rootClassName;
    std::string packageId;
    QVCategoryType categoryType = QVCategoryType::unclassified;
    bool requiresATT = false;
    QVConsentSignalInputType expectedConsentSignalInputType = QVConsentSignalInputType::boolean;
    bool hasAutoConsentSupport = false;

    static const QVSupportedPackage& firebaseAnalytics();
    static const QVSupportedPackage& singular();
    static const QVSupportedPackage& tenjin();
    static const QVSupportedPackage& airbridge();
    // The four entries above, in that order.
    static const std::vector<QVSupportedPackage>& allValues();

    // The entry whose package id matches ignoring letter case; none when no entry does.
    static std::optional<QVSupportedPackage> fromPackageId(std::string_view packageId);

    // Whether a linked SDK needs the viewer's tracking authorisation.
    static bool requiresTrackingAuthorization();

    // "Module.Root" when the class lives in a module, otherwise the root class name.
    std::string className() const;

    // The SDK's class object when the host registered it, otherwise nullptr.
    platform::ObjectHandle packageClass() const;

    // How the package appears in log lines: names its package id and class.
    std::string description() const;

    // Packages are the same package exactly when their ids are equal (letter case included).
    friend bool operator==(const QVSupportedPackage& a, const QVSupportedPackage& b) {
        return a.packageId == b.packageId;
    }
    friend auto operator<=>(const QVSupportedPackage& a, const QVSupportedPackage& b) {
        return a.packageId <=> b.packageId;
    }
};

} // namespace qvtv

template <>
struct std::hash<qvtv::QVSupportedPackage> {
    std::size_t operator()(const qvtv::QVSupportedPackage& p) const noexcept {
        return std::hash<std::string>{}(p.packageId);
    }
};
