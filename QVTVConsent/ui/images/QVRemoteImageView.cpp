#include "QVTVConsent/ui/images/QVRemoteImageView.h"

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/ui/images/LibraryResources.h"
#include "platform/DispatchQueue.h"

namespace qvtv {

void QVRemoteImageView::loadFallback(const std::optional<std::string>& name) {
    if (!name) return;
    if (auto image = LibraryResources::image(*name)) {
        setImage(std::move(image));
        return;
    }
    QVLogger::e("QVRemoteImageView",
                "loadFallback()=> Optional(\"" + *name + "\") \n Error: Fallback image not found: " + *name);
}

void QVRemoteImageView::setImage(std::weak_ptr<QVRemoteImageView> view, std::shared_ptr<const tvkit::Image> image,
                                 std::optional<std::string> fallback) {
    platform::DispatchQueue::main().async(
        [view = std::move(view), image = std::move(image), fallback = std::move(fallback)] {
            auto shown = view.lock();
            if (!shown) return;
            if (image) {
                shown->setImage(image);
                return;
            }
            shown->loadFallback(fallback);
        });
}

void QVRemoteImageView::handleTap() {
    if (tapAction) tapAction();
}

} // namespace qvtv
