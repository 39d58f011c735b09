#include "QVTVConsent/ui/banner/BannerTestFixture.h"

#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/ui/controls/QVLoading.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"

namespace bannertest {
namespace {

RecordedEvent record(const qvtv::QVDataMessage<qvtv::QVConsentEvent>& message) {
    const auto& event = *message.data();
    return {message.code(), event.code(), event.type(), event.consentStatus(), event.data().size()};
}

struct RecordingDelegate : qvtv::QVConsentEventDelegate {
    explicit RecordingDelegate(std::vector<RecordedEvent>& events) : events(events) {}
    const std::string& applicationId() const override { return id; }
    void onConsentAction(const qvtv::QVDataMessage<qvtv::QVConsentEvent>& data) override {
        events.push_back(record(data));
    }
    std::string id;
    std::vector<RecordedEvent>& events;
};

} // namespace

void BannerTest::start(const std::string& applicationId, std::optional<std::string> secondaryId) {
    editBanner(applicationId, [this](nlohmann::json& banner) {
        banner["template"]["LogoUrl"] = harness.service().origin() + "/images/operator-logo.png";
    });
    auto result = qvtv::QVConsentEngineFactory::initialise(qvtv::QVAuthKey(applicationId, std::move(secondaryId))).get();
    ASSERT_TRUE(result.data()) << result.description();
    engine = *result.data();
    engine->addDelegate(delegateCode, std::make_shared<RecordingDelegate>(delegateEvents));
    engine->addObserver(observerCode, 0, [this](const auto& message) { observerEvents.push_back(record(message)); });
    home = hostScreen().shared_from_this();
    hostScreen().setTitle("Home");
}

qvtv::QVConsentBannerViewController* BannerTest::showBanner() {
    const auto answer = engine->showConsentBanner(home);
    EXPECT_EQ(answer.code(), 200) << answer.description();
    EXPECT_TRUE(runUntil([&] { return hostScreen().presentedViewController() != nullptr; }));
    advance(tvkit::ViewController::transitionDuration + 0.05);
    return presentedBanner();
}

void BannerTest::waitForEvents(std::size_t count) {
    EXPECT_TRUE(runUntil([&] { return delegateEvents.size() >= count; }));
    advance(tvkit::ViewController::transitionDuration + 0.05);
}

tvkit::View* BannerTest::toastOn(tvkit::ViewController& controller) {
    for (const auto& view : controller.view()->subviews()) {
        if (view->tag() == qvtv::toastTag) return view.get();
    }
    return nullptr;
}

bool BannerTest::overlayShown() const { return qvtv::QVLoading::shared().overlayView->superview() != nullptr; }

std::string BannerTest::focusedTitle() {
    if (auto text = textOf(focusedView()); !text.empty()) return text;
    return focusedView() ? std::string(focusedView()->className()) : "nothing";
}

nlohmann::json BannerTest::lastConsentBody() {
    const auto sent = harness.service().submissions(consentservice::ServiceEndpoint::consent);
    if (sent.empty()) return nullptr;
    return nlohmann::json::parse(sent.back().body);
}

void BannerTest::editBanner(const std::string& applicationId, const std::function<void(nlohmann::json&)>& edit) {
    auto banner = harness.readFixture(applicationId, "banner.json");
    edit(banner);
    harness.writeFixture(applicationId, "banner.json", banner);
}

} // namespace bannertest
