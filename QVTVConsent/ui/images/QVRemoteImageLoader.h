#pragma once
// Downloads a logo and scales it to its slot: a plain GET through the library's shared HTTP
// session (its time-out and answer cap), PNG, JPEG or SVG decoded and fitted inside `size`
// keeping the aspect ratio (small images are enlarged). Any failure, a non-2xx answer
// included, gives no image; it is not retried. Stateless.
//
//   qvtv::QVRemoteImageLoader::load(url, {100, 100}, [](std::shared_ptr<const tvkit::Image> image) {
//       // on a worker thread: hop to the main queue before touching views
//   });

#include "tvkit/graphics/Image.h"
#include "tvkit/graphics/Size.h"

#include <functional>
#include <memory>
#include <string>

namespace qvtv {

class QVRemoteImageLoader {
public:
    using Completion = std::function<void(std::shared_ptr<const tvkit::Image>)>;

    // Returns at once; `completion` runs once, on a download thread of its own (never one of
// DispatchQueue::global()'s), with the image or null.
    static void load(const std::string& url, tvkit::Size size, Completion completion);

    QVRemoteImageLoader() = delete;
};

} // namespace qvtv
