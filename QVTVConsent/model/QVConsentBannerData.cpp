#include "QVTVConsent/model/QVConsentBannerData.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/core/NumUtils.h"
#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {
namespace {

constexpr std::string_view kTag = "QVConsentBannerData";

using Packages = std::vector<std::shared_ptr<QVPackage>>;
using Categories = std::vector<std::shared_ptr<QVCategory>>;

// The settings keys of one banner button: "<Name>ButtonBackgroundColor" and so on.
struct BannerButtonKeys {
    std::string background, text, filling, corners, type;

    explicit BannerButtonKeys(std::string_view name)
        : background(std::string(name) + "ButtonBackgroundColor"), text(std::string(name) + "ButtonTextColor"),
          filling(std::string(name) + "ButtonFilling"), corners(std::string(name) + "ButtonCorners"),
          type(std::string(name) + "ButtonType") {}

    QVButtonData::StyleKeys styleKeys() const { return {background, text, filling, corners, type}; }
};

QVButtonData bannerButton(const nlohmann::json& translation, std::string_view labelKey,
                          const nlohmann::json& settings, std::string_view styleName, QVFillType fillDefault) {
    return QVButtonData::fromSettings(templatejson::text(translation, labelKey), settings,
                                      BannerButtonKeys(styleName).styleKeys(), fillDefault);
}

// Every element must read, or the list is empty: a half-read list would show the viewer
// categories or packages the site owner did not configure.
template <class T>
std::vector<std::shared_ptr<T>> readAll(const nlohmann::json* list) {
    if (!list || !list->is_array()) return {};
    std::vector<std::shared_ptr<T>> items;
    items.reserve(list->size());
    for (const auto& element : *list) {
        auto item = T::fromJson(element);
        if (!item) return {};
        items.push_back(std::move(*item));
    }
    return items;
}

bool byPackageName(const std::shared_ptr<QVPackage>& a, const std::shared_ptr<QVPackage>& b) {
    return a->packageName() < b->packageName();
}

bool byCategoryName(const std::shared_ptr<QVCategory>& a, const std::shared_ptr<QVCategory>& b) {
    return a->name < b->name;
}

// Categories without packages of their own take the pool's packages of their type (the same
// objects), sorted by name; categories left empty are dropped; the rest are sorted by name.
// std::string compares bytes as unsigned, which for UTF-8 is code-point order.
Categories fillCategories(Categories categories, const Packages& pool) {
    for (auto& category : categories) {
        if (!category->packages.empty()) continue;
        std::copy_if(pool.begin(), pool.end(), std::back_inserter(category->packages),
                     [&](const auto& package) { return package->category == category->type; });
        std::stable_sort(category->packages.begin(), category->packages.end(), byPackageName);
    }
    std::erase_if(categories, [](const auto& category) { return category->packages.empty(); });
    std::stable_sort(categories.begin(), categories.end(), byCategoryName);
    return categories;
}

std::optional<QVGCMConsentSignalStatus> signalStatus(const nlohmann::json& setting, std::string_view key) {
    auto text = StringUtils::getOptionalString(JsonUtils::find(setting, key));
    if (!text) return std::nullopt;
    return fromRawValue<QVGCMConsentSignalStatus>(StringUtils::toLower(*text));
}

std::vector<std::string> regions(const nlohmann::json& setting) {
    auto text = StringUtils::getOptionalString(JsonUtils::find(setting, "Regions"));
    if (!text) return {};
    if (StringUtils::equalsIgnoreCase(*text, "all")) return {"all"};
    std::vector<std::string> pieces;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        // A piece of blanks only names no region either.
        std::string piece = StringUtils::trim(rest.substr(0, comma));
        if (!piece.empty()) pieces.push_back(std::move(piece));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return pieces;
}

// The four signals always come in this order; "Advertising" drives two of them.
GoogleConsentData googleConsentData(const nlohmann::json& setting) {
    struct SignalKey {
        QVGCMConsentSignal signal;
        std::string_view key;
    };
    constexpr std::array<SignalKey, 4> kSignals{{
        {QVGCMConsentSignal::adPersonalization, "Personalization"},
        {QVGCMConsentSignal::adUserData, "Advertising"},
        {QVGCMConsentSignal::analyticsStorage, "Analytics"},
        {QVGCMConsentSignal::adStorage, "Advertising"},
    }};
    GoogleConsentData data;
    for (const auto& [signal, key] : kSignals) data.configs.push_back(QVConsentSignalConfig{signal, signalStatus(setting, key)});
    data.regions = regions(setting);
    return data;
}

std::optional<QVConsentModeConfigData> consentModeConfig(const nlohmann::json& root) {
    const nlohmann::json* settings = JsonUtils::find(root, "GCMSettings");
    if (!settings || !settings->is_array()) {
        QVLogger::i(kTag, "init()=> GCMSettings not found!");
        return std::nullopt;
    }
    QVConsentModeConfigData config;
    for (const auto& element : *settings) {
        if (!element.is_object()) {
            QVLogger::e(kTag, "parseGCMConfig(" + JsonUtils::describe(&element) + ")");
            continue;
        }
        config.gcm.push_back(googleConsentData(element));
    }
    return config;
}

} // namespace

Result<std::shared_ptr<QVConsentBannerData>> QVConsentBannerData::fromJson(const nlohmann::json& root) {
    using templatejson::flag;
    using templatejson::text;
    if (!root.is_object() || root.empty()) return JsonUtils::invalidJsonError(kTag, &root);
    const nlohmann::json* tmpl = templatejson::object(root, "template");
    if (!tmpl || tmpl->empty()) return JsonUtils::invalidJsonError(kTag, JsonUtils::find(root, "template"));
    const nlohmann::json* translation = templatejson::object(*tmpl, "Translation");
    if (!translation) return JsonUtils::invalidJsonError(kTag, JsonUtils::find(*tmpl, "Translation"));
    const nlohmann::json* settings = templatejson::object(*tmpl, "Settings");
    if (!settings) return JsonUtils::invalidJsonError(kTag, JsonUtils::find(*tmpl, "Settings"));

    auto banner = std::make_shared<QVConsentBannerData>();
    banner->backgroundColor = text(*settings, "BackgroundColor");
    banner->logoUrl = text(*tmpl, "LogoUrl");
    banner->html = QVHtmlData{text(*translation, "ConsentMessageText"), text(*settings, "TextColor"),
                              text(*settings, "HeadingColor"), text(*settings, "LinkColor"),
                              text(*settings, "LineColor")};
    // Save always looks like Accept; only Customize is outlined unless told otherwise.
    banner->acceptButton = bannerButton(*translation, "AcceptButtonText", *settings, "Accept", QVFillType::fill);
    banner->saveButton = bannerButton(*translation, "AdvancedSaveButtonText", *settings, "Accept", QVFillType::fill);
    banner->declineButton = bannerButton(*translation, "DeclineButtonText", *settings, "Decline", QVFillType::fill);
    banner->customizeButton =
        bannerButton(*translation, "CustomizeButtonText", *settings, "Customize", QVFillType::stroke);
    banner->removeBranding = flag(*tmpl, "RemoveBranding");
    banner->consentType = text(*tmpl, "ConsentType") == rawValue(QVConsentType::implict) ? QVConsentType::implict
                                                                                         : QVConsentType::explicit_;
    banner->dataRetentionPeriodInMonths = NumUtils::getInt64(JsonUtils::find(*tmpl, "DataRetentionPeriodMonths"));
    banner->doNotStoreConsent = BoolUtils::getOptionalBool(JsonUtils::find(*tmpl, "DoNotStoreConsent"));
    banner->advancedBanner = flag(*settings, "AdvancedBanner");

    const Packages pool = readAll<QVPackage>(JsonUtils::find(root, "packages"));
    const nlohmann::json* texts = templatejson::object(*tmpl, "TemplateTranslation");
    Categories categories = texts ? readAll<QVCategory>(JsonUtils::find(*texts, "CategoryTranslations")) : Categories{};
    banner->categories = fillCategories(std::move(categories), pool);

    banner->gcm = flag(root, "GCMEnabled");
    banner->gcmConfig = consentModeConfig(root);
    return banner;
}

} // namespace qvtv
