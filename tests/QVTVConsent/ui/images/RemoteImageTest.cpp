// Logos downloaded from the local service: fitted to their slot, replaced by the library's own
// image when the answer is not an image or not there, and shown on the main queue only while
// their view is alive.

#include "QVTVConsent/model/TemplateFixtures.h"
#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/images/LibraryResources.h"
#include "QVTVConsent/ui/images/QVRemoteImageLoader.h"
#include "QVTVConsent/ui/images/QVRemoteImageView.h"
#include "support/LogCapture.h"
#include "tools/consent-service/ConsentService.h"

#include <future>

namespace qvtv {
namespace {

class RemoteImageTest : public testsupport::ScreenTestFixture {
protected:
    RemoteImageTest() : service(consentservice::ConsentService::Options::serving(QVTV_FIXTURES_DIR)) {
        EXPECT_TRUE(service.start());
    }
    std::string imageUrl(const std::string& file) const { return service.origin() + "/images/" + file; }

    // Loads and waits for the answer (on the worker thread that delivers it).
    std::shared_ptr<const tvkit::Image> loadNow(const std::string& url, tvkit::Size size) {
        std::promise<std::shared_ptr<const tvkit::Image>> answer;
        auto future = answer.get_future();
        QVRemoteImageLoader::load(url, size, [&answer](std::shared_ptr<const tvkit::Image> image) {
            answer.set_value(std::move(image));
        });
        EXPECT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        return future.get();
    }

    consentservice::ConsentService service;
};

TEST_F(RemoteImageTest, DownloadsAreFittedToTheirSlot) {
    auto wide = loadNow(imageUrl("operator-logo.png"), {100, 100});
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->size(), (tvkit::Size{100, 50}));
    auto small = loadNow(imageUrl("operator-badge.png"), {100, 100});
    ASSERT_TRUE(small);
    EXPECT_EQ(small->size(), (tvkit::Size{100, 100}));
    auto vector = loadNow(imageUrl("maker-logo.svg"), {16, 16});
    ASSERT_TRUE(vector);
    EXPECT_EQ(vector->size(), (tvkit::Size{16, 16}));
}

TEST_F(RemoteImageTest, AnythingButAnImageGivesNone) {
    EXPECT_FALSE(loadNow(imageUrl("not-a-logo.html"), {100, 100}));
    EXPECT_FALSE(loadNow(imageUrl("no-such-logo.png"), {100, 100}));
    EXPECT_FALSE(loadNow("logo.png", {100, 100}));
    // A logo that arrives with an error status is an error page, not a logo.
    consentservice::ServiceFault broken;
    broken.kind = consentservice::ServiceFault::Kind::http500;
    service.setFault(consentservice::ServiceEndpoint::image, broken);
    EXPECT_FALSE(loadNow(imageUrl("operator-logo.png"), {100, 100}));
    EXPECT_EQ(service.requests().size(), 3u) << "the address that is not a URL is never requested";
}

TEST_F(RemoteImageTest, ImageViewShowsTheAnswerOrTheFallbackOnTheMainQueue) {
    auto view = tvkit::View::make<QVRemoteImageView>();
    auto downloaded = loadNow(imageUrl("operator-logo.png"), {100, 100});
    QVRemoteImageView::setImage(view, downloaded, "qv_logo");
    EXPECT_EQ(view->image(), nullptr) << "not before the main queue runs";
    drainMain();
    EXPECT_EQ(view->image(), downloaded);

    QVRemoteImageView::setImage(view, loadNow(imageUrl("not-a-logo.html"), {100, 100}), "qv_logo");
    drainMain();
    ASSERT_NE(view->image(), nullptr);
    EXPECT_EQ(view->image(), LibraryResources::image("qv_logo"));

    auto gone = tvkit::View::make<QVRemoteImageView>();
    std::weak_ptr<QVRemoteImageView> weak = gone;
    QVRemoteImageView::setImage(weak, downloaded, "qv_logo");
    gone.reset();
    drainMain();  // dropped without touching the released view
    EXPECT_TRUE(weak.expired());
}

TEST_F(RemoteImageTest, LibraryImagesAndAMissingOneIsLogged) {
    ASSERT_TRUE(LibraryResources::image("qv_logo"));
    ASSERT_TRUE(LibraryResources::image("branding"));
    EXPECT_FALSE(LibraryResources::image("../resources/qv_logo"));

    templatetest::LogsOn logs;
    testsupport::LogCapture captured;
    auto view = tvkit::View::make<QVRemoteImageView>();
    view->loadFallback(std::nullopt);
    EXPECT_TRUE(captured.lines().empty());
    view->loadFallback("operator_logo");
    EXPECT_EQ(view->image(), nullptr);
    EXPECT_TRUE(captured.contains("[ERROR] QVRemoteImageView: loadFallback()=> Optional(\"operator_logo\") \n"
                                  " Error: Fallback image not found: operator_logo"))
        << ::testing::PrintToString(captured.lines());
}

} // namespace
} // namespace qvtv
