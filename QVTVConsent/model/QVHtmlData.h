#pragma once
// A block of template HTML with the colours to draw it in (colour texts such as "#101820").
// The banner message, the settings introduction and inline policy pages are QVHtmlData.
//
//   qvtv::QVHtmlData intro{"<p>Hello</p>", "#FFFFFF", "#FFFFFF", "#4FC3F7", "#2E3A46"};
//   render(intro.html, intro.linkColor);

#include <string>

namespace qvtv {

struct QVHtmlData {
    std::string html;
    std::string textColor;
    std::string headingColor;
    std::string linkColor;
    std::string lineColor;

    friend bool operator==(const QVHtmlData&, const QVHtmlData&) = default;
};

} // namespace qvtv
