// qvtv-demo: a command-line host of the consent library. It starts the local consent service in
// this process (unless --origin names another one), initialises the library for the demo
// application ids, prints what the engine knows, can save accept-all or reject-all, and prints
// every consent event it receives. Device stores live under a demo data folder, so a second run
// finds the stored consent document. With no action flags it plays the whole story: a fresh
// install, an accept-all, a second start without any consent-document request, and a start after
// the service's banner gained a package, which asks for consent again.
#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/QVTVConsent.h"
#include "QVTVConsent/adapters/ConsentAdapterHelper.h"
#include "QVTVConsent/data/ServiceSettings.h"
#include "QVTVConsent/model/DataFactory.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVPackage.h"
#include "QVTVConsent/ui/images/BrandingSettings.h"
#include "platform/Paths.h"
#include "platform/RunLoop.h"
#include "tools/consent-service/ConsentService.h"
#include "tools/demo/DemoOptions.h"
#include "tools/sdk-fakes/FakeVendorSdks.h"

namespace {

using namespace qvtv;

struct PrintingDelegate : QVConsentEventDelegate {
    explicit PrintingDelegate(std::string id) : id(std::move(id)) {}
    const std::string& applicationId() const override { return id; }
    void onConsentAction(const QVDataMessage<QVConsentEvent>& data) override {
        std::cout << "  delegate event: " << data.data()->description() << "\n";
    }
    std::string id;
};

void printStatus(QVConsentEngine& engine, const std::string& id) {
    const auto status = engine.getConsentStatus(id);
    std::cout << "  " << id << ": status " << status.msg();
    if (const auto reason = engine.getConsentRecollectionReason(id); reason.data()) {
        std::cout << " (reason " << rawValue(*reason.data()) << ")";
    }
    const auto locale = engine.getLocale(id);
    std::cout << ", locale " << locale.data().value_or("-") << ", client id " << engine.getClientId(id).data().value_or("-");
    if (const auto last = engine.getLastConsentedAt(id); last.data()) std::cout << ", last consented at " << *last.data();
    std::cout << "\n";
    const auto records = engine.getCollectedConsentInfo(id);
    if (!records.data()) {
        std::cout << "    records: " << records.code() << " " << records.msg() << "\n";
        return;
    }
    for (const auto& record : *records.data()) {
        std::cout << "    " << rawValue(record->category()) << ": " << rawValue(record->consentGiven()) << " (";
        const char* separator = "";
        for (const auto& package : record->subConsents()) {
            std::cout << separator << package->packageId() << (package->isEnabled() ? " on" : " off");
            separator = ", ";
        }
        std::cout << ")\n";
    }
}

// What the banner's Accept or Decline does, through the repository.
bool save(const std::string& id, bool rejectAll) {
    auto repository = DataFactory::repository();
    const auto banner = repository->getBannerData(id);
    if (!banner.data()) {
        std::cout << "  cannot save: " << banner.description() << "\n";
        return false;
    }
    auto categories = (*banner.data())->categories;
    if (!rejectAll) {
        for (const auto& category : categories) {
            for (const auto& package : category->packages) package->setEnabled(true);
        }
    }
    const auto saved = repository->saveConsent(id, categories, rejectAll).get();
    std::cout << "  saved " << (rejectAll ? "reject-all" : "accept-all") << " for " << id << ": " << saved.code()
              << (saved.msg().empty() ? "" : " " + saved.msg()) << "\n";
    if (saved.code() != 200) return false;
    // The choice reaches the SDKs inside the app, as the banner does after a save.
    if (rejectAll) {
        ConsentAdapterHelper::denyAll(QVConsentStatus::collected, categories);
    } else {
        ConsentAdapterHelper::acceptAll(QVConsentStatus::collected, categories);
    }
    QVConsentEventManager::shared()->notify(id, repository->getClientId(id).data().value_or(""),
                                            rejectAll ? QVUserConsentActionType::reject : QVUserConsentActionType::accept,
                                            QVConsentStatus::collected, saved);
    return true;
}

// Edits the served copy of the fixtures: one more package in the banner's analytics pool.
void addPackageToBanner(const std::filesystem::path& fixtures, const std::string& id, const std::string& packageId) {
    const auto file = fixtures / id / "banner.json";
    std::ifstream in(file);
    auto banner = nlohmann::json::parse(in, nullptr, false);
    if (!banner.is_object() || !banner["packages"].is_array()) {
        std::cout << "  cannot edit " << file << "\n";
        return;
    }
    banner["packages"].push_back({{"Category", "site_analytics"},
                                  {"Description", "A measurement package added after the viewer chose."},
                                  {"Service", "Example Ltd"},
                                  {"PrivacyPolicyUrl", "https://example.invalid/privacy"},
                                  {"PackageName", "New Meter"},
                                  {"PackageId", packageId},
                                  {"IsEnabled", false}});
    std::ofstream(file) << banner.dump(2);
    std::cout << "  the service's banner for " << id << " now also offers " << packageId << "\n";
}

// Prints what the stand-in SDKs received since the last call, so a newcomer sees consent arrive.
void printSdkCalls(sdkfakes::FakeVendorSdks& sdks, const std::string& when) {
    std::cout << "  SDK calls " << when << ":\n";
    for (const auto& call : sdks.calls()) std::cout << "    " << call << "\n";
    sdks.clearCalls();
}

int runOnce(const demo::DemoOptions& options, consentservice::ConsentService* service) {
    // Recording stand-ins for the four vendor SDKs a real TV app would link.
    sdkfakes::FakeVendorSdks sdks;
    auto events = QVConsentEventManager::shared();
    events->addDelegate(1, std::make_shared<PrintingDelegate>(options.primaryId));
    events->addObserver(1, std::any{}, [](const QVDataMessage<QVConsentEvent>& data) {
        std::cout << "  observer event (main queue): code " << data.data()->code() << ", status "
                  << rawValue(data.data()->consentStatus()) << "\n";
    });

    std::optional<QVConsentEngineFactory::Result> result;
    QVConsentEngineFactory::initialise(QVAuthKey(options.primaryId, options.secondaryId),
                                       [&](const QVConsentEngineFactory::Result& r) { result = r; });
    auto& loop = platform::RunLoop::main();
    loop.runUntil([&] { return result.has_value(); }, std::chrono::seconds(130));
    if (!result) {
        std::cout << "  initialise did not finish\n";
        return 1;
    }
    std::cout << "  initialise: " << result->code() << " " << result->msg() << "\n";
    if (!result->data()) return 1;
    auto engine = *result->data();
    printSdkCalls(sdks, "during initialisation");
    for (const auto& id : {options.primaryId, options.secondaryId}) printStatus(*engine, id);

    bool ok = true;
    if (options.acceptAll) ok = save(options.primaryId, false) && ok;
    if (options.rejectAll) ok = save(options.primaryId, true) && ok;
    if (options.acceptAll || options.rejectAll) {
        printSdkCalls(sdks, "after the choice");
        printStatus(*engine, options.primaryId);
    }
    loop.runPending();

    if (service) {
        std::size_t documents = 0;
        for (const auto& request : service->requests()) {
            if (request.path == "/api/mobileconsent/dynamic") ++documents;
        }
        std::cout << "  service requests in this run: " << service->requests().size()
                  << " (consent-document requests: " << documents << ")\n";
    }
    return ok ? 0 : 1;
}

// Each step of the story is a separate start of this program over the same data folder, as a
// TV app would be started again.
int playStory(const demo::DemoOptions& options) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return 1;
    std::string common = " --data '" + options.dataDir.string() + "' --primary '" + options.primaryId +
                         "' --secondary '" + options.secondaryId + "'";
    if (options.origin) common += " --origin '" + *options.origin + "'";
    const std::vector<std::pair<std::string, std::string>> steps{
        {"1. Fresh install; the viewer accepts everything", "--fresh --accept-all"},
        {"2. Second start: the stored consent document is used", "--once"},
        {"3. The service's banner gained a package: consent must be collected again",
         "--add-package com.example.newmeter"},
    };
    for (const auto& [title, flags] : steps) {
        std::cout << "\n" << title << "\n" << std::flush;
        if (std::system(("'" + self.string() + "' " + flags + common).c_str()) != 0) return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    auto parsed = demo::DemoOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) {
        std::cerr << demo::DemoOptions::usage();
        return 2;
    }
    const demo::DemoOptions options = *parsed;
    if (options.help) {
        std::cout << demo::DemoOptions::usage();
        return 0;
    }
    if (options.story) return playStory(options);

    // Observer events are delivered by the main run loop, which this thread drains.
    platform::RunLoop::main().runPending();
    if (options.fresh) std::filesystem::remove_all(options.dataDir);
    platform::Paths::setDataDirectory(options.dataDir / "device");

    std::unique_ptr<consentservice::ConsentService> service;
    if (options.origin) {
        ServiceSettings::setBaseUrl(*options.origin + "/api");
    } else {
        // The service serves a copy of the fixtures in the data folder, so a template can be edited.
        const auto fixtures = options.dataDir / "service-fixtures";
        if (!std::filesystem::exists(fixtures)) {
            std::filesystem::create_directories(options.dataDir);
            std::filesystem::copy(QVTV_FIXTURES_DIR, fixtures, std::filesystem::copy_options::recursive);
        }
        if (options.addPackage) addPackageToBanner(fixtures, options.primaryId, *options.addPackage);
        auto serviceOptions = consentservice::ConsentService::Options::serving(fixtures);
        serviceOptions.database = options.dataDir / "service.sqlite";
        service = std::make_unique<consentservice::ConsentService>(serviceOptions);
        if (!service->start()) {
            std::cerr << "the local consent service could not start\n";
            return 1;
        }
        ServiceSettings::setBaseUrl(service->baseUrl());
    }
    // The branding line's logo comes from the same service, so it is a real download too.
    BrandingSettings::setMakerLogoUrl((options.origin ? *options.origin : service->origin()) + "/images/maker-logo.svg");
    std::cout << "  service " << ServiceSettings::baseUrl() << ", data folder " << options.dataDir.string() << "\n";
    return runOnce(options, service.get());
}
