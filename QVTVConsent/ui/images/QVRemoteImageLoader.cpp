#include "QVTVConsent/ui/images/QVRemoteImageLoader.h"

#include "QVTVConsent/data/ServiceSettings.h"
#include "platform/ThreadPool.h"
#include "tvkit/render/ImageDecoder.h"

namespace qvtv {
namespace {

// Logos wait on their own workers: a logo server that stalls for the whole time-out must not
// take the threads that read templates and save choices.
platform::ThreadPool& downloads() {
    static platform::ThreadPool pool(2);
    return pool;
}

} // namespace

void QVRemoteImageLoader::load(const std::string& url, tvkit::Size size, Completion completion) {
    downloads().async([url, size, completion = std::move(completion)] {
        const platform::HttpResult result =
            ServiceSettings::session()->send(platform::HttpRequest::get(url), platform::CancellationToken());
        // An error page is not a logo, even when its body happens to decode.
        const bool answered = result.ok() && result.response().status / 100 == 2 && !result.response().body.empty();
        completion(answered ? tvkit::ImageDecoder::decode(result.response().body, size) : nullptr);
    });
}

} // namespace qvtv
