#include "QVTVConsent/ui/text/QVAttributedTextCache.h"

#include "QVTVConsent/core/StringUtils.h"
#include "QVTVConsent/ui/text/makeAttributedText.h"

#include <algorithm>

namespace qvtv {

tvkit::AttributedString QVAttributedTextCache::convert(const QVHtmlData& data) {
    return makeAttributedText(StringUtils::trim(data.html), data.textColor, data.linkColor);
}

const tvkit::AttributedString& QVAttributedTextCache::text(const QVHtmlData& data) {
    auto kept = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.html == data.html && e.textColor == data.textColor && e.linkColor == data.linkColor;
    });
    if (kept != entries_.end()) return kept->text;
    entries_.push_back({data.html, data.textColor, data.linkColor, convert(data)});
    return entries_.back().text;
}

} // namespace qvtv
