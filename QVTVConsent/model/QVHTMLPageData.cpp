#include "QVTVConsent/model/QVHTMLPageData.h"

#include <utility>

#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {

std::shared_ptr<QVHTMLPageData> QVHTMLPageData::fromTemplate(const nlohmann::json& page,
                                                             const nlohmann::json& settings,
                                                             QVButtonData cancelButton) {
    using templatejson::text;
    auto data = std::make_shared<QVHTMLPageData>();
    data->cancelButton = std::move(cancelButton);
    const nlohmann::json* html = JsonUtils::find(page, "Html");
    if (html && html->is_string()) {
        // Policies use the link colour for their rules too.
        data->html = QVHtmlData{html->get<std::string>(), text(settings, "TextColor"), text(settings, "HeadingColor"),
                                text(settings, "LinkColor"), text(settings, "LinkColor")};
        return data;
    }
    const nlohmann::json* url = JsonUtils::find(page, "Url");
    if (url && url->is_string()) data->url = url->get<std::string>();
    return data;
}

} // namespace qvtv
