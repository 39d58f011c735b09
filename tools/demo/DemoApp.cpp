#include "tools/demo/DemoApp.h"

#include "platform/RunLoop.h"

#include <optional>

namespace demo {
namespace {

using namespace qvtv;

// Any code identifies the listener; the same code replaces it.
constexpr std::int64_t listenerCode = 1;

struct TranscriptDelegate : QVConsentEventDelegate {
    TranscriptDelegate(std::string id, std::ostream& out) : id(std::move(id)), out(out) {}
    const std::string& applicationId() const override { return id; }
    void onConsentAction(const QVDataMessage<QVConsentEvent>& data) override {
        out << "  delegate event: " << data.data()->description() << "\n";
    }
    std::string id;
    std::ostream& out;
};

} // namespace

DemoApp::DemoApp(DemoOptions options, std::ostream& transcript)
    : options_(std::move(options)), transcript_(transcript), home_(std::make_shared<HomeScreen>()) {
    home_->setPrivacySettingsAction([this] { openPrivacySettings(); });
}

DemoApp::~DemoApp() {
    QVConsentEventManager::shared()->removeObserver(listenerCode);
    QVConsentEventManager::shared()->removeDelegate(listenerCode);
}

bool DemoApp::start() {
    listenToEvents();
    std::optional<QVConsentEngineFactory::Result> result;
    QVConsentEngineFactory::initialise(QVAuthKey(options_.primaryId, options_.secondaryId),
                                       [&](const QVConsentEngineFactory::Result& r) { result = r; });
    platform::RunLoop::main().runUntil([&] { return result.has_value(); }, std::chrono::seconds(130));
    if (!result) {
        transcript_ << "  initialise did not finish\n";
        return false;
    }
    transcript_ << "  initialise " << options_.primaryId << ": " << result->code() << " " << result->msg() << "\n";
    engine_ = result->data() ? *result->data() : nullptr;
    refreshStatus();
    return engine_ != nullptr;
}

void DemoApp::listenToEvents() {
    // A delegate hears one application id; an observer hears every event, on the main queue.
    auto events = QVConsentEventManager::shared();
    events->addDelegate(listenerCode, std::make_shared<TranscriptDelegate>(options_.primaryId, transcript_));
    events->addObserver(listenerCode, std::any{}, [this](const QVDataMessage<QVConsentEvent>& data) {
        transcript_ << "  observer event (main queue): code " << data.data()->code() << ", status "
                    << rawValue(data.data()->consentStatus()) << "\n";
        refreshStatus();
    });
}

bool DemoApp::askForConsentIfNeeded() {
    if (!engine_) return false;
    const auto status = engine_->getConsentStatus(options_.primaryId).data();
    if (status && *status == QVConsentStatus::collected) return false;
    presentBanner();
    return true;
}

void DemoApp::openPrivacySettings() {
    if (engine_) presentPreferenceCenter();
}

bool DemoApp::resetAndRestart() {
    transcript_ << "  reset: the stored consent is forgotten and the app starts again\n";
    engine_.reset();
    QVConsentEngineFactory::clearSession(true);
    sdks_.clearCalls();
    if (!start()) return false;
    askForConsentIfNeeded();
    return true;
}

void DemoApp::setApplicationIds(const std::string& primary, const std::string& secondary) {
    options_.primaryId = primary;
    options_.secondaryId = secondary;
}

// The library reads the template, shows its loading overlay and presents the screen over the
// home screen; without a template the viewer sees a toast instead. The answer is at once.
void DemoApp::presentBanner() {
    const auto answer = engine_->showConsentBanner(home_);
    transcript_ << "  showConsentBanner: " << answer.code() << "\n";
}

void DemoApp::presentPreferenceCenter() {
    const auto answer = engine_->showPreferenceCenter(options_.primaryId, home_);
    transcript_ << "  showPreferenceCenter: " << answer.code() << "\n";
}

void DemoApp::presentSecondaryBanner() {
    if (!engine_) return;
    const auto answer = engine_->showSecondaryBanner(home_);
    transcript_ << "  showSecondaryBanner: " << answer.code() << " " << answer.msg() << "\n";
}

void DemoApp::setStatusNote(std::string note) {
    statusNote_ = std::move(note);
    refreshStatus();
}

void DemoApp::refreshStatus() {
    std::string text = "Consent: ";
    std::optional<QVConsentStatus> status;
    if (engine_) status = engine_->getConsentStatus(options_.primaryId).data();
    text += status ? std::string(rawValue(*status)) : "not initialised";
    const auto calls = sdks_.calls();
    text += " · SDKs last received: " + (calls.empty() ? std::string("nothing") : calls.back());
    if (!statusNote_.empty()) text += " · " + statusNote_;
    home_->setStatus(text);
}

} // namespace demo
