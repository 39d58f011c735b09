#include "tools/demo/Walkthrough.h"

#include "QVTVConsent/adapters/ConsentAdapterHelper.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/events/ConsentEventPoster.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVPackage.h"
#include "platform/RunLoop.h"
#include "tools/demo/DemoService.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <filesystem>
#include <vector>

namespace demo {

using namespace qvtv;

Walkthrough::Walkthrough(DemoApp& app, const DemoOptions& options, std::ostream& out)
    : app_(app), options_(options), out_(out) {
    host_.setRootViewController(app_.home());
}

int Walkthrough::run(const DemoService& service) {
    if (!app_.start()) return 1;
    printSdkCalls("during initialisation");
    for (const auto& id : {options_.primaryId, options_.secondaryId}) printStatus(id);
    app_.askForConsentIfNeeded();
    bool ok = screenshot("home");

    if (options_.acceptAll) ok = choose(false) && ok;
    if (options_.rejectAll) ok = choose(true) && ok;
    if (options_.acceptAll || options_.rejectAll) {
        printSdkCalls("after the choice");
        printStatus(options_.primaryId);
        ok = screenshot(options_.acceptAll ? "accepted-all" : "rejected-all") && ok;
    }
    platform::RunLoop::main().runPending();
    if (service.local()) {
        out_ << "  service requests in this run: " << service.local()->requests().size()
             << " (consent-document requests: " << service.consentDocumentRequests() << ")\n";
    }
    return ok ? 0 : 1;
}

void Walkthrough::printStatus(const std::string& id) {
    auto& engine = *app_.engine();
    const auto status = engine.getConsentStatus(id);
    out_ << "  " << id << ": status " << status.msg();
    if (const auto reason = engine.getConsentRecollectionReason(id); reason.data()) {
        out_ << " (reason " << rawValue(*reason.data()) << ")";
    }
    out_ << ", locale " << engine.getLocale(id).data().value_or("-") << ", client id "
         << engine.getClientId(id).data().value_or("-");
    if (const auto last = engine.getLastConsentedAt(id); last.data()) out_ << ", last consented at " << *last.data();
    out_ << "\n";
    const auto records = engine.getCollectedConsentInfo(id);
    if (!records.data()) {
        out_ << "    records: " << records.code() << " " << records.msg() << "\n";
        return;
    }
    for (const auto& record : *records.data()) {
        out_ << "    " << rawValue(record->category()) << ": " << rawValue(record->consentGiven()) << " (";
        const char* separator = "";
        for (const auto& package : record->subConsents()) {
            out_ << separator << package->packageId() << (package->isEnabled() ? " on" : " off");
            separator = ", ";
        }
        out_ << ")\n";
    }
}

// Shows what the stand-in SDKs received since the last call, so a newcomer sees consent arrive.
void Walkthrough::printSdkCalls(const std::string& when) {
    out_ << "  SDK calls " << when << ":\n";
    for (const auto& call : app_.sdks().calls()) out_ << "    " << call << "\n";
    app_.refreshStatus();
    app_.sdks().clearCalls();
}

bool Walkthrough::choose(bool rejectAll) {
    const std::string& id = options_.primaryId;
    auto repository = DataFactory::repository();
    const auto banner = repository->getBannerData(id);
    if (!banner.data()) {
        out_ << "  cannot save: " << banner.description() << "\n";
        return false;
    }
    auto categories = (*banner.data())->categories;
    if (!rejectAll) {
        for (const auto& category : categories) {
            for (const auto& package : category->packages) package->setEnabled(true);
        }
    }
    const auto saved = repository->saveConsent(id, categories, rejectAll).get();
    out_ << "  saved " << (rejectAll ? "reject-all" : "accept-all") << " for " << id << ": " << saved.code()
         << (saved.msg().empty() ? "" : " " + saved.msg()) << "\n";
    if (saved.code() != 200) return false;
    // The choice reaches the SDKs inside the app, as the banner does after a save.
    if (rejectAll) {
        ConsentAdapterHelper::denyAll(QVConsentStatus::collected, categories);
    } else {
        ConsentAdapterHelper::acceptAll(QVConsentStatus::collected, categories);
    }
    ConsentEventPoster::notify(*QVConsentEventManager::shared(), id, repository->getClientId(id).data().value_or(""),
                               rejectAll ? QVUserConsentActionType::reject : QVUserConsentActionType::accept,
                               QVConsentStatus::collected, saved);
    platform::RunLoop::main().runPending();
    return true;
}

// Numbered across the story's starts: the next number follows the pictures already there.
bool Walkthrough::screenshot(const std::string& name) {
    std::error_code error;
    std::filesystem::create_directories(options_.screenshotsDir, error);
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(options_.screenshotsDir, error)) {
        if (entry.path().extension() == ".png") ++count;
    }
    char number[8];
    std::snprintf(number, sizeof number, "%02zu", count + 1);
    const auto file = options_.screenshotsDir / (std::string(number) + "-" + name + ".png");
    host_.advance(1);
    if (!host_.writeSnapshot(file.string())) return false;
    out_ << "  screenshot " << file.string() << "\n";
    return true;
}

int Walkthrough::play(const DemoOptions& options) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return 1;
    std::filesystem::remove_all(options.screenshotsDir, error);
    std::string common = " --headless --data '" + options.dataDir.string() + "' --screenshots '" +
                         options.screenshotsDir.string() + "' --primary '" + options.primaryId + "' --secondary '" +
                         options.secondaryId + "'";
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

} // namespace demo
