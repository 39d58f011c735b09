// qvtv-demo: a command-line host that shows what the library does so far.
//   qvtv-demo [consent-document.json]

#include <fstream>
#include <iostream>
#include <string>

#include "QVTVConsent/QVTVConsent.h"
#include "QVTVConsent/model/ArrayUtils.h"
#include "QVTVConsent/model/JsonUtils.h"
#include "QVTVConsent/model/TimestampUtils.h"

namespace {

void heading(const std::string& title) { std::cout << "\n== " << title << "\n"; }

void showEnvelopes() {
    heading("Result envelopes (dictionary form)");
    std::cout << qvtv::QVMessage(503, "SDK Initialisation is pending...").description() << "\n";
    std::cout << qvtv::QVDataMessage<qvtv::QVConsentStatus>(200, "Pending", std::nullopt, qvtv::QVConsentStatus::pending)
                     .description()
              << "\n";
    std::cout << qvtv::QVDataMessage<std::string>(404, "", "Internal server error, please contact support (1014)")
                     .description()
              << "\n";
    std::cout << qvtv::QVDataMessage<std::int64_t>(200, "", std::nullopt, 1700000000000).description() << "\n";
}

std::shared_ptr<qvtv::QVDynamic> showDocument(const std::string& path) {
    heading("Consent document " + path);
    std::ifstream in(path);
    nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
    auto document = qvtv::QVDynamic::fromJson(json);
    if (!document) {
        std::cout << "not read: " << document.error().localizedDescription() << "\n";
        return nullptr;
    }
    const auto& doc = *document;
    std::cout << "locale " << doc->locale() << ", client " << doc->clientId() << ", recording allowed "
              << (doc->isConsentRecordingAllowed() ? "yes" : "no") << "\n";
    for (const auto& category : doc->subConsents()) {
        std::cout << "  " << qvtv::rawValue(category->category()) << " (" << qvtv::rawValue(category->consentGiven())
                  << ")\n";
        for (const auto& package : category->subConsents()) {
            std::cout << "    [" << (package->isEnabled() ? "x" : " ") << "] " << package->packageName() << " <"
                      << package->packageId() << ">\n";
        }
    }
    heading("Written back as stored");
    auto text = qvtv::JsonUtils::jsonString(doc->toJson(), "QVDynamic");
    std::cout << (text ? *text : text.error().localizedDescription()) << "\n";
    return doc;
}

void showSave(const qvtv::QVDynamic& document) {
    heading("Category objects a save would send (decline all)");
    for (const auto& category : document.subConsents()) {
        std::cout << qvtv::QVConsentData::saveJson(category->category(), category->subConsents(), true).dump() << "\n";
    }
}

void showGoogleConsentMode() {
    heading("Google Consent Mode configuration");
    auto config = qvtv::QVConsentModeConfigData::fromJson(nlohmann::json::parse(R"({"gcm": [
        {"configs": [{"signal": "ad_storage", "status": "denied"}, {"signal": "analytics_storage", "status": "granted"}],
         "regions": ["DE", "FR"]},
        {"configs": [{"signal": "ad_user_data", "status": "granted"}], "regions": ["all"]}]})"));
    if (!config) return;
    for (const auto& group : config->gcm) {
        std::cout << "  regions " << nlohmann::json(group.regions).dump() << " -> " << group.toJson()["configs"].dump()
                  << " (applies to de: " << (qvtv::ArrayUtils::containsIgnoreCase(group.regions, "de") ? "yes" : "no")
                  << ")\n";
    }
}

void showLogging() {
    heading("Log lines with every switch on");
    qvtv::QVLogger::INFO_LOGS_ENABLED = true;
    qvtv::QVLogger::WARNING_LOGS_ENABLED = true;
    qvtv::QVLogger::ERROR_LOGS_ENABLED = true;
    qvtv::QVLogger::i("qvtv-demo", "QVTVConsent " + std::string(qvtv::Config::buildVersion) + ", blocking mode " +
                                       std::string(qvtv::rawValue(qvtv::Config::blockingMode)));
    qvtv::QVLogger::w("qvtv-demo", "FIRAnalytics not found, Firebase consent is skipped");
    qvtv::QVLogger::e("qvtv-demo", "Consent not saved", qvtv::JsonUtils::makeError("ConsentApi", 503, "Service unavailable"));
    (void)qvtv::QVDynamic::fromJson(nlohmann::json::array({"not", "a", "document"}));
    qvtv::QVLogger::i("qvtv-demo", "Last consent " + qvtv::TimestampUtils::readableDateTime(1700000000000).value_or(""));
}

} // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : QVTV_DEMO_DIR "/sample-consent.json";
    showEnvelopes();
    if (auto document = showDocument(path)) showSave(*document);
    showGoogleConsentMode();
    showLogging();
    return 0;
}
