#include "tools/demo/Walkthrough.h"

#include "QVTVConsent/ui/banner/QVConsentBannerViewController.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/datarequest/QVTextInputFieldView.h"
#include "QVTVConsent/ui/images/QVRemoteImageView.h"
#include "QVTVConsent/ui/preferences/CategoryView.h"
#include "QVTVConsent/ui/preferences/PackageView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "platform/RunLoop.h"
#include "tools/demo/DemoService.h"
#include "tvkit/host/headless/RemoteTypist.h"
#include "tvkit/view/TextField.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <filesystem>
#include <vector>

namespace demo {

using namespace qvtv;
using tvkit::PressType;

namespace {

template <class T>
void collect(tvkit::View& root, std::vector<T*>& found) {
    if (auto* match = dynamic_cast<T*>(&root)) found.push_back(match);
    for (const auto& child : root.subviews()) collect(*child, found);
}

template <class T>
std::vector<T*> viewsOf(tvkit::View* root) {
    std::vector<T*> found;
    if (root) collect(*root, found);
    return found;
}

const tvkit::Button* buttonTitled(tvkit::View* root, const std::string& title) {
    for (auto* button : viewsOf<tvkit::Button>(root)) {
        if (button->titleLabel()->text() == title) return button;
    }
    return nullptr;
}

template <class T>
T* topScreen(tvkit::HeadlessHost& host) {
    return dynamic_cast<T*>(host.window().topViewController());
}

std::size_t tabIndex(const QVPreferenceCenterData& center, QVPreferenceCenterTabType type) {
    std::size_t index = 0;
    while (index < center.tabs.size() && center.tabs[index].type != type) ++index;
    return index;
}

// The picture waits for the logos, which arrive over HTTP.
bool logosArrived(tvkit::View* root) {
    for (auto* logo : viewsOf<QVRemoteImageView>(root)) {
        if (!logo->isHidden() && !logo->image()) return false;
    }
    return true;
}

} // namespace

Walkthrough::Walkthrough(DemoApp& app, const DemoOptions& options, std::ostream& out)
    : app_(app), options_(options), out_(out) {
    host_.setRootViewController(app_.home());
}

int Walkthrough::run(const DemoService& service) {
    if (!app_.start()) return 1;
    printSdkCalls("during initialisation");
    for (const auto& id : {options_.primaryId, options_.secondaryId}) printStatus(id);

    bool ok = true;
    if (options_.tour) {
        ok = tour(service);
    } else {
        const bool asked = app_.askForConsentIfNeeded();
        if (asked) ok = waitFor([&] { return topScreen<QVConsentBannerViewController>(host_) != nullptr; }, "the banner");
        ok = screenshot(asked ? "banner" : "home") && ok;
        if (ok && asked && (options_.acceptAll || options_.rejectAll)) {
            ok = answerBanner(options_.rejectAll);
            printSdkCalls("after the choice");
            printStatus(options_.primaryId);
            ok = screenshot(options_.acceptAll ? "accepted-all" : "rejected-all") && ok;
        }
    }
    platform::RunLoop::main().runPending();
    if (service.local()) {
        out_ << "  service requests in this run: " << service.local()->requests().size()
             << " (consent-document requests: " << service.consentDocumentRequests() << ")\n";
    }
    // The figure a TV's memory budget is held against (Linux reports kilobytes).
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0) out_ << "  peak memory of this start: " << usage.ru_maxrss / 1024 << " MB\n";
    return ok ? 0 : 1;
}

bool Walkthrough::answerBanner(bool reject) {
    auto* banner = topScreen<QVConsentBannerViewController>(host_);
    if (!banner) return false;
    const auto& button = reject ? banner->data->declineButton : banner->data->acceptButton;
    if (!select(buttonTitled(banner->view().get(), button.label), button.label)) return false;
    return waitFor([&] { return host_.window().topViewController() == app_.home().get(); }, "the banner to close");
}

bool Walkthrough::tour(const DemoService& service) {
    app_.askForConsentIfNeeded();
    QVConsentBannerViewController* banner = nullptr;
    if (!waitFor([&] { return (banner = topScreen<QVConsentBannerViewController>(host_)) != nullptr; }, "the banner")) {
        return false;
    }
    bool ok = screenshot("banner");

    const std::string& customize = banner->data->customizeButton.label;
    if (!select(buttonTitled(banner->view().get(), customize), customize)) return false;
    QVPreferenceCenterViewController* center = nullptr;
    if (!waitFor([&] { return (center = topScreen<QVPreferenceCenterViewController>(host_)) != nullptr; },
                 "the preference center")) {
        return false;
    }

    // Settings: the analytics category on, opened, and its first package off again.
    CategoryView* analytics = nullptr;
    for (auto* card : viewsOf<CategoryView>(center->body())) {
        if (card->category()->type == QVCategoryType::analytics && !card->category()->packages.empty()) analytics = card;
    }
    if (!analytics || host_.pressArrowsTo(*analytics) < 0) {
        out_ << "  no analytics category to open\n";
        return false;
    }
    host_.press(PressType::rightArrow);
    host_.press(PressType::select);
    host_.press(PressType::leftArrow);
    const auto& off = analytics->category()->packages.front();
    out_ << "  switched analytics on, then " << off->packageId() << " off: "
         << (off->isEnabled() ? "still on" : "off") << "\n";
    ok = !off->isEnabled() && ok;
    ok = waitFor([] { return true; }, "") && screenshot("settings") && ok;

    // A policy page, then the data-request form with a field typed on the on-screen keyboard.
    const auto& tabs = center->data->tabs;
    const std::size_t policy = tabIndex(*center->data, QVPreferenceCenterTabType::pp);
    const std::size_t request = tabIndex(*center->data, QVPreferenceCenterTabType::dataRequest);
    if (policy == tabs.size() || request == tabs.size()) {
        out_ << "  the preference center lacks a policy or a data-request tab\n";
        return false;
    }
    if (!select(center->tabViews()[policy].get(), tabs[policy].heading)) return false;
    ok = waitFor([] { return true; }, "") && screenshot("policy") && ok;

    if (!select(center->tabViews()[request].get(), tabs[request].heading)) return false;
    const auto fields = viewsOf<QVTextInputFieldView>(center->body());
    if (fields.empty() || !select(&fields.front()->editor(), "the first field")) return false;
    tvkit::OnScreenKeyboard* keyboard = nullptr;
    if (!waitFor([&] { return (keyboard = topScreen<tvkit::OnScreenKeyboard>(host_)) != nullptr; },
                 "the on-screen keyboard")) {
        return false;
    }
    tvkit::RemoteTypist typist(host_, *keyboard);
    ok = typist.type("Jane") && ok;
    out_ << "  typed \"" << fields.front()->editor().text() << "\" with " << typist.presses() << " presses\n";
    ok = waitFor([] { return true; }, "") && screenshot("keyboard") && ok;
    host_.press(PressType::menu);
    if (!waitFor([&] { return host_.window().topViewController() == center; }, "the keyboard to close")) return false;

    if (service.local()) ok = submitRefusedRequest(service) && ok;
    return saveInPreferenceCenter() && ok;
}

// The form goes to the service, which refuses it once (an injected fault): the viewer sees the
// service's message as a toast and keeps what was typed.
bool Walkthrough::submitRefusedRequest(const DemoService& service) {
    auto* center = topScreen<QVPreferenceCenterViewController>(host_);
    const std::size_t request = tabIndex(*center->data, QVPreferenceCenterTabType::dataRequest);
    const auto& form = std::get<std::shared_ptr<QVDataRequestFormData>>(center->data->tabs[request].content);
    consentservice::ServiceFault refused;
    refused.kind = consentservice::ServiceFault::Kind::responseStatusError;
    refused.times = 1;
    service.local()->setFault(consentservice::ServiceEndpoint::dataRequest, refused);
    if (!select(buttonTitled(center->view().get(), form->submitButton.label), form->submitButton.label)) return false;
    const bool ok = waitFor([&] { return center->view()->viewWithTag(toastTag) != nullptr; }, "the toast") &&
                    screenshot("toast");
    host_.advance(3);  // the toast goes
    return ok;
}

bool Walkthrough::saveInPreferenceCenter() {
    auto* center = topScreen<QVPreferenceCenterViewController>(host_);
    const std::size_t settings = tabIndex(*center->data, QVPreferenceCenterTabType::settings);
    if (settings == center->data->tabs.size()) return false;
    if (!select(center->tabViews()[settings].get(), center->data->tabs[settings].heading)) return false;
    const auto& content = std::get<std::shared_ptr<QVSettingsData>>(center->data->tabs[settings].content);
    const std::string& save = content->saveButton.label;
    if (!select(buttonTitled(center->view().get(), save), save)) return false;
    const bool ok =
        waitFor([&] { return host_.window().topViewController() == app_.home().get(); }, "the saved choice");
    printSdkCalls("after saving");
    printStatus(options_.primaryId);
    return screenshot("saved") && ok;
}

bool Walkthrough::waitFor(const std::function<bool()>& done, const std::string& what) {
    auto& loop = platform::RunLoop::main();
    // Answers hop back from the service threads, and screens come and go with animations on
    // the virtual clock: alternate the two, bounded in real time.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool reached = done();
    while (!reached && std::chrono::steady_clock::now() < deadline) {
        host_.advance(0.05);
        reached = loop.runUntil(done, std::chrono::milliseconds(20));
    }
    host_.runPending();
    host_.advance(tvkit::ViewController::transitionDuration + 0.05);
    loop.runUntil([&] { return logosArrived(host_.window().topViewController()->view().get()); }, std::chrono::seconds(5));
    host_.advance(1);
    if (!reached) out_ << "  gave up waiting for " << what << "\n";
    return reached;
}

bool Walkthrough::select(const tvkit::View* target, const std::string& what) {
    if (!target || host_.pressArrowsTo(*target) < 0) {
        out_ << "  cannot reach " << what << " with the arrows\n";
        return false;
    }
    host_.press(PressType::select);
    return true;
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
    if (!host_.writeSnapshot(file.string())) return false;
    screenshots_.push_back(file);
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
        {"1. Fresh install; the viewer tours the banner and the preference center with the remote", "--fresh --tour"},
        {"2. Second start: the stored consent document is used", "--once"},
        {"3. The service's banner gained a package: consent must be collected again",
         "--add-package com.example.newmeter"},
        {"4. The advanced fixtures: a banner with a strip of category check boxes",
         "--primary demo-tv-advanced --once"},
    };
    for (const auto& [title, flags] : steps) {
        std::cout << "\n" << title << "\n" << std::flush;
        // Later flags win, so a step may name another application.
        const std::string command = std::string(1, '\'').append(self.string()).append("'").append(common).append(" ").append(flags);
        if (std::system(command.c_str()) != 0) return 1;
    }
    return 0;
}

} // namespace demo
