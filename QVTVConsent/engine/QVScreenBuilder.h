#pragma once
// What a show operation calls to make the screen it presents: given the application id and the
// prepared template, it returns the view controller to present modally over the host's screen.
// The public engine passes the library's own screens; tests and the screens themselves may pass
// any builder.
//
//   qvtv::QVScreenBuilder<qvtv::QVConsentBannerData> builder =
//       [](const std::string& id, std::shared_ptr<qvtv::QVConsentBannerData> data) { return makeBanner(id, data); };

#include <functional>
#include <memory>
#include <string>

namespace tvkit {
class ViewController;
}

namespace qvtv {

template <class Data>
using QVScreenBuilder =
    std::function<std::shared_ptr<tvkit::ViewController>(const std::string& applicationId, std::shared_ptr<Data> data)>;

} // namespace qvtv
