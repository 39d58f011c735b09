#include "QVTVConsent/model/QVPreferenceCenterData.h"

#include <optional>
#include <string_view>
#include <utility>

#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"
#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {
namespace {

constexpr std::string_view kTag = "QVPreferenceCenterData";

constexpr QVButtonData::StyleKeys kCancelKeys{"CancelButtonBackgroundColor", "CancelButtonTextColor",
                                              "CancelButtonFilling", "CancelButtonCorners", "CancelButtonType"};
// Save and Submit share the main button style.
constexpr QVButtonData::StyleKeys kMainKeys{"ButtonBackgroundColor", "ButtonColor", "ButtonFilling",
                                            "ButtonCorners", "ButtonType"};

// The decline button borrows the main button's colours when its own keys are missing (an empty
// text is kept), and its type only when its own is not a button-type word.
std::optional<QVButtonData> declineButton(const nlohmann::json& translation, const nlohmann::json& settings) {
    if (!templatejson::flag(settings, "DeclineButtonEnabled")) return std::nullopt;
    const auto ownOrMain = [&](std::string_view own, std::string_view main) {
        return JsonUtils::find(settings, own) ? own : main;
    };
    const std::string ownType = templatejson::text(settings, "DeclineButtonType");
    const bool ownTypeIsWord = fromRawValue<QVButtonType>(ownType).has_value();
    const QVButtonData::StyleKeys keys{ownOrMain("DeclineBackgroundColor", "ButtonBackgroundColor"),
                                       ownOrMain("DeclineButtonColor", "ButtonColor"), "DeclineButtonFilling",
                                       "DeclineButtonCorners", ownTypeIsWord ? "DeclineButtonType" : "ButtonType"};
    return QVButtonData::fromSettings(templatejson::text(translation, "DeclineButtonText"), settings, keys,
                                      QVFillType::stroke);
}

class TabList {
public:
    TabList(const nlohmann::json& translation, const nlohmann::json& settings)
        : translation_(translation), textColor_(templatejson::text(settings, "TextColor")),
          buttonBGColor_(templatejson::text(settings, "ButtonBackgroundColor")) {}

    // Adds the tab only when the template captions it; an empty caption still counts.
    void add(QVPreferenceCenterTabType type, std::string_view headerKey, std::string_view headingKey,
             QVPreferenceCenterTabContent content) {
        std::optional<std::string> heading = StringUtils::getOptionalString(JsonUtils::find(translation_, headerKey));
        if (!heading) return;
        tabs_.push_back(QVPreferenceCenterTab{type, std::move(*heading), templatejson::text(translation_, headingKey),
                                              textColor_, buttonBGColor_, std::move(content)});
    }

    std::vector<QVPreferenceCenterTab> take() { return std::move(tabs_); }

private:
    const nlohmann::json& translation_;
    std::string textColor_;
    std::string buttonBGColor_;
    std::vector<QVPreferenceCenterTab> tabs_;
};

struct PolicyPage {
    QVPreferenceCenterTabType type;
    std::string_view rootKey;
    std::string_view captionPrefix;
};

} // namespace

Result<std::shared_ptr<QVPreferenceCenterData>> QVPreferenceCenterData::fromJson(
    const nlohmann::json& root, const std::vector<std::shared_ptr<QVCategory>>& categories) {
    if (!root.is_object() || root.empty()) return JsonUtils::invalidJsonError(kTag, &root);
    const nlohmann::json* tmpl = templatejson::object(root, "template");
    if (!tmpl || tmpl->empty()) return JsonUtils::invalidJsonError(kTag, JsonUtils::find(root, "template"));
    const auto refuse = [&](std::string_view key) { return JsonUtils::invalidJsonError(kTag, JsonUtils::find(*tmpl, key)); };
    const nlohmann::json* translation = templatejson::object(*tmpl, "Translation");
    if (!translation) return refuse("Translation");
    const nlohmann::json* texts = templatejson::object(*tmpl, "TemplateTranslation");
    if (!texts) return refuse("TemplateTranslation");
    const nlohmann::json* settings = templatejson::object(*tmpl, "Settings");
    if (!settings) return refuse("Settings");
    const nlohmann::json* dataRequest = JsonUtils::find(*tmpl, "DataRequest");
    const nlohmann::json* requestTranslation = nullptr;
    if (dataRequest) {
        if (!dataRequest->is_object() || dataRequest->empty()) return JsonUtils::invalidJsonError(kTag, dataRequest);
        requestTranslation = templatejson::object(*dataRequest, "Translation");
        if (!requestTranslation) return JsonUtils::invalidJsonError(kTag, dataRequest);
    }

    auto data = std::make_shared<QVPreferenceCenterData>();
    data->textColor = templatejson::text(*settings, "TextColor");
    data->backgroundColor = templatejson::text(*settings, "BackgroundColor");

    // One Cancel button object serves every tab.
    const QVButtonData cancel = QVButtonData::fromSettings(templatejson::text(*texts, "Cancel"), *settings,
                                                           kCancelKeys, QVFillType::stroke);
    const QVButtonData save = QVButtonData::fromSettings(templatejson::text(*texts, "Save"), *settings, kMainKeys,
                                                         QVFillType::stroke);

    TabList tabs(*translation, *settings);
    tabs.add(QVPreferenceCenterTabType::settings, "SettingsTabHeader", "SettingsHeadingText",
             QVSettingsData::fromTemplate(categories, *texts, *settings, cancel,
                                          declineButton(*translation, *settings), save));

    for (const PolicyPage& page : {PolicyPage{QVPreferenceCenterTabType::pp, "pp", "PrivacyPolicy"},
                                   PolicyPage{QVPreferenceCenterTabType::cp, "cp", "CookieDeclaration"}}) {
        const nlohmann::json* pageObject = templatejson::object(root, page.rootKey);
        if (!pageObject) continue;
        const std::string prefix(page.captionPrefix);
        tabs.add(page.type, prefix + "TabHeader", prefix + "HeadingText",
                 QVHTMLPageData::fromTemplate(*pageObject, *settings, cancel));
    }

    if (dataRequest) {
        const QVButtonData submit = QVButtonData::fromSettings(templatejson::text(*requestTranslation, "Submit"),
                                                               *settings, kMainKeys, QVFillType::stroke);
        tabs.add(QVPreferenceCenterTabType::dataRequest, "DataRequestTabHeader", "DataRequestHeadingText",
                 QVDataRequestFormData::fromTemplate(*dataRequest, *requestTranslation, *settings, cancel, submit));
    }

    data->tabs = tabs.take();
    data->removeBranding = templatejson::flag(*tmpl, "RemoveBranding");
    return data;
}

} // namespace qvtv
