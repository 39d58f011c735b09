#pragma once
// The kinds of preference-center tab: consent settings, privacy policy page, cookie policy page
// and the data-request form. Tabs are compared by kind only; there is no text form.
//
//   if (tab.type == qvtv::QVPreferenceCenterTabType::dataRequest) showForm();

namespace qvtv {

enum class QVPreferenceCenterTabType { settings, pp, cp, dataRequest };

} // namespace qvtv
