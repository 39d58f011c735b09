#pragma once
// One tab of a tabbed template screen: its kind, captions, colours and content. Generic over the
// kind enumeration and the content type so another tabbed screen can reuse it; the preference
// center uses QVPreferenceCenterTabType and a variant of its three content models.
//
//   for (const auto& tab : center->tabs)
//       if (tab.type == qvtv::QVPreferenceCenterTabType::pp) showPage(std::get<1>(tab.content));

#include <string>

namespace qvtv {

template <class Kind, class Content>
struct QVTabData {
    Kind type{};
    std::string heading;
    std::string subHeading;
    std::string textColor;
    std::string buttonBGColor;
    Content content{};
};

} // namespace qvtv
