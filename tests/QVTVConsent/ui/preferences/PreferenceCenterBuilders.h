#pragma once
// Hand-built preference-center templates for the screen tests: categories and packages with
// exactly the flags and texts a case needs, wrapped in a settings tab, policy tabs or both.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QVTVConsent/model/QVPreferenceCenterData.h"

namespace prefcentertest {

struct PackageOptions {
    std::string name;
    qvtv::QVCategoryType category = qvtv::QVCategoryType::analytics;
    bool enabled = false;
    std::string service = "Example Ltd";
    std::string description = "Counts visits";
    std::string pp = "https://example.com/privacy";
    bool expanded = false;
};

std::shared_ptr<qvtv::QVPackage> makePackage(const PackageOptions& options);
std::shared_ptr<qvtv::QVCategory> makeCategory(qvtv::QVCategoryType type, std::string name,
                                               std::vector<std::shared_ptr<qvtv::QVPackage>> packages,
                                               bool enabled = false, bool expanded = false);

qvtv::QVButtonData button(std::string label, qvtv::QVButtonType type = qvtv::QVButtonType::button);

// A settings tab over `categories` with plain labels and colours; the decline button is present
// unless `withDecline` is false.
qvtv::QVPreferenceCenterTab settingsTab(std::vector<std::shared_ptr<qvtv::QVCategory>> categories,
                                        bool withDecline = true);
// A policy tab showing `html` (no inline page when empty).
qvtv::QVPreferenceCenterTab policyTab(qvtv::QVPreferenceCenterTabType type, std::string heading,
                                      std::optional<std::string> html);

std::shared_ptr<qvtv::QVPreferenceCenterData> center(std::vector<qvtv::QVPreferenceCenterTab> tabs);

// A long policy in paragraphs, about `bytes` long.
std::string longPolicy(std::size_t bytes);

} // namespace prefcentertest
