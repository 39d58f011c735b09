#include "QVTVConsent/ui/preferences/PreferenceCenterFixture.h"

#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/events/QVConsentEventManager.h"

namespace prefcentertest {
namespace {
constexpr std::int64_t delegateCode = 41;
} // namespace

void PreferenceCenterFixture::SetUp() {
    const auto engine = qvtv::QVConsentEngineFactory::initialise(qvtv::QVAuthKey(appId)).get();
    ASSERT_EQ(engine.code(), 200) << engine.description();
    qvtv::QVConsentEventManager::shared()->addDelegate(delegateCode, delegate);
}

void PreferenceCenterFixture::TearDown() { qvtv::QVConsentEventManager::shared()->removeDelegate(delegateCode); }

std::shared_ptr<qvtv::QVPreferenceCenterData> PreferenceCenterFixture::templateData() {
    return *qvtv::DataFactory::repository()->getPreferenceCenterData(appId).data();
}

std::shared_ptr<qvtv::QVPreferenceCenterViewController>
PreferenceCenterFixture::open(std::shared_ptr<qvtv::QVPreferenceCenterData> data) {
    auto screen = std::make_shared<qvtv::QVPreferenceCenterViewController>();
    screen->data = std::move(data);
    screen->applicationId = appId;
    screen->setModalPresentationStyle(tvkit::ModalPresentationStyle::overFullScreen);
    screen->setModalTransitionStyle(tvkit::ModalTransitionStyle::crossDissolve);
    present(screen);
    advance(0.1);
    return screen;
}

bool PreferenceCenterFixture::isPresented(const tvkit::ViewController& screen) {
    return hostScreen().presentedViewController() == &screen;
}

std::vector<nlohmann::json> PreferenceCenterFixture::sent(consentservice::ServiceEndpoint endpoint) {
    std::vector<nlohmann::json> bodies;
    for (const auto& s : harness.service().submissions(endpoint)) bodies.push_back(nlohmann::json::parse(s.body));
    return bodies;
}

} // namespace prefcentertest
