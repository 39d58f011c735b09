#include "QVTVConsent/ui/preferences/PreferenceCenterBuilders.h"

namespace prefcentertest {

using namespace qvtv;

std::shared_ptr<QVPackage> makePackage(const PackageOptions& options) {
    auto pkg = std::make_shared<QVPackage>(QVPackageConsent(options.name, options.name + "-id", options.enabled));
    pkg->category = options.category;
    pkg->service = options.service;
    pkg->description = options.description;
    pkg->pp = options.pp;
    pkg->isExpanded = options.expanded;
    return pkg;
}

std::shared_ptr<QVCategory> makeCategory(QVCategoryType type, std::string name,
                                         std::vector<std::shared_ptr<QVPackage>> packages, bool enabled,
                                         bool expanded) {
    auto category = std::make_shared<QVCategory>();
    category->type = type;
    category->name = std::move(name);
    category->description = "What " + category->name + " is for.";
    category->packages = std::move(packages);
    category->isEnabled = enabled;
    category->isExpanded = expanded;
    return category;
}

QVButtonData button(std::string label, QVButtonType type) {
    QVButtonData data;
    data.label = std::move(label);
    data.backgroundColor = "#008471";
    data.textColor = "#FFFFFF";
    data.buttonType = type;
    return data;
}

QVPreferenceCenterTab settingsTab(std::vector<std::shared_ptr<QVCategory>> categories, bool withDecline) {
    auto settings = std::make_shared<QVSettingsData>();
    settings->categories = std::move(categories);
    settings->introduction = {"<p>We use <b>services</b> to run this app.</p>", "#1B2430", "#1B2430", "#006BB3",
                              "#CCCCCC"};
    settings->pluginsLabel = "Services";
    settings->noOptOutLabel = "Always on";
    settings->descriptionLabel = "Description";
    settings->serviceLabel = "Provider";
    settings->policyLinkLabel = "Privacy policy";
    settings->enableServicesLabel = "Enabled";
    settings->dropDownColor = "#F2F4F7";
    settings->saveButton = button("Save");
    if (withDecline) settings->declineButton = button("Decline all");
    settings->cancelButton = button("Cancel");
    QVPreferenceCenterTab tab;
    tab.type = QVPreferenceCenterTabType::settings;
    tab.heading = "Settings";
    tab.subHeading = "Your privacy choices";
    tab.textColor = "#1B2430";
    tab.buttonBGColor = "#008471";
    tab.content = settings;
    return tab;
}

QVPreferenceCenterTab policyTab(QVPreferenceCenterTabType type, std::string heading, std::optional<std::string> html) {
    auto page = std::make_shared<QVHTMLPageData>();
    if (html) page->html = QVHtmlData{*html, "#1B2430", "#1B2430", "#006BB3", "#CCCCCC"};
    page->cancelButton = button("Cancel");
    QVPreferenceCenterTab tab;
    tab.type = type;
    tab.heading = std::move(heading);
    tab.textColor = "#1B2430";
    tab.buttonBGColor = "#008471";
    tab.content = page;
    return tab;
}

std::shared_ptr<QVPreferenceCenterData> center(std::vector<QVPreferenceCenterTab> tabs) {
    auto data = std::make_shared<QVPreferenceCenterData>();
    data->tabs = std::move(tabs);
    data->backgroundColor = "#FFFFFF";
    data->textColor = "#1B2430";
    return data;
}

std::string longPolicy(std::size_t bytes) {
    std::string html;
    for (int n = 1; html.size() < bytes; ++n) {
        html += "<h2>Section " + std::to_string(n) + "</h2><p>We keep the data you give us only as long as the service "
                "needs it. You may ask for a copy, a correction or its deletion at any time, and we answer within a "
                "month. <a href=\"https://example.com/privacy#s" + std::to_string(n) + "\">Read more</a>.</p>";
    }
    return html;
}

} // namespace prefcentertest
