#pragma once
// An image view for logos that arrive over the network: it shows the downloaded image, or one
// of the library's own images when the download fails, and runs `tapAction` when tapped.
// Downloads complete on worker threads; setImage hops to the main queue and holds the view
// weakly, so a screen closed meanwhile just drops the answer.
//
//   auto logo = tvkit::View::make<qvtv::QVRemoteImageView>();
//   std::weak_ptr<qvtv::QVRemoteImageView> weak = logo;
//   qvtv::QVRemoteImageLoader::load(url, {100, 100}, [weak](auto image) {
//       qvtv::QVRemoteImageView::setImage(weak, std::move(image), "qv_logo");
//   });

#include "tvkit/view/ImageView.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qvtv {

class QVRemoteImageView : public tvkit::ImageView {
public:
    std::function<void()> tapAction;

    std::string_view className() const override { return "QVRemoteImageView"; }

    // Shows the library image `name`; a missing one is logged and the view stays as it is.
    // Main thread only.
    void loadFallback(const std::optional<std::string>& name);
    // From any thread: on the main queue, shows `image`, or the fallback when there is none;
    // nothing when the view is gone by then.
    static void setImage(std::weak_ptr<QVRemoteImageView> view, std::shared_ptr<const tvkit::Image> image,
                         std::optional<std::string> fallback);
    using tvkit::ImageView::setImage;
    // The action of its tap recogniser.
    void handleTap();
};

} // namespace qvtv
