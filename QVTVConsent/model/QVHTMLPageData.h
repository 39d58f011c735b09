#pragma once
// Content of a policy tab: either inline HTML or a link to the page, never both, and the
// Cancel button. A page with neither shows only its button.
//
//   if (page->html) showHtml(*page->html); else if (page->url) showLink(*page->url);

#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVButtonData.h"
#include "QVTVConsent/model/QVHtmlData.h"

namespace qvtv {

struct QVHTMLPageData {
    std::optional<std::string> url;
    std::optional<QVHtmlData> html;
    QVButtonData cancelButton;

    // `page` is the template's page object: its "Html" text wins over its "Url" text. Neither is
    // trimmed, so the page keeps its markup exactly.
    static std::shared_ptr<QVHTMLPageData> fromTemplate(const nlohmann::json& page, const nlohmann::json& settings,
                                                        QVButtonData cancelButton);
};

} // namespace qvtv
