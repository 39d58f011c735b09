// The preference center on a headless TV screen, each case measured to its first complete
// frame: opening it over the largest demo template, switching to a 50 KB policy page (the
// first time and again), opening the data-request tab, expanding a category of ten packages,
// and moving focus in the settings list.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVPreferenceCenterData.h"
#include "QVTVConsent/ui/preferences/CategoryView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "tvkit/host/headless/HeadlessHost.h"

using namespace qvtv;

namespace {

nlohmann::json fixture(const std::string& name) {
    std::ifstream in(std::string(QVTV_FIXTURES_DIR) + "/demo-tv-app/" + name);
    if (!in) throw std::runtime_error("missing fixture " + name);
    return nlohmann::json::parse(std::string(std::istreambuf_iterator<char>(in), {}));
}

// The demo application's preference center, parsed as initialisation leaves it.
std::shared_ptr<QVPreferenceCenterData> demoCenter() {
    auto banner = QVConsentBannerData::fromJson(fixture("banner.json"));
    auto center = QVPreferenceCenterData::fromJson(fixture("preference-center.json"), (*banner)->categories);
    if (!center) throw std::runtime_error("demo preference center does not load");
    return *center;
}

std::string policyOf(std::size_t bytes) {
    std::string html;
    for (int n = 1; html.size() < bytes; ++n) {
        html += "<h2>" + std::to_string(n) + ". How we use your data</h2><p>We and our <b>partners</b> store and "
                "access information on your device, such as unique identifiers, to measure audiences and improve "
                "our services. <a href=\"https://example.com/p" + std::to_string(n) + "\">Learn more</a>.</p>"
                "<ul><li>Audience measurement</li><li>Personalised advertising</li></ul>";
    }
    return html;
}

struct Screen {
    tvkit::HeadlessHost host;
    std::shared_ptr<tvkit::ViewController> home = std::make_shared<tvkit::ViewController>();
    std::shared_ptr<QVPreferenceCenterViewController> center;

    Screen() { host.setRootViewController(home); }

    void open(std::shared_ptr<QVPreferenceCenterData> data) {
        center = std::make_shared<QVPreferenceCenterViewController>();
        center->data = std::move(data);
        center->applicationId = "demo-tv-app";
        home->present(center, false);
        frame();
    }
    void close() {
        home->dismiss(false);
        frame();
    }
    // Runs what became ready, lays out and draws what changed.
    void frame() { host.render(); }
    QVPreferenceCenterSettingsView& settings() { return dynamic_cast<QVPreferenceCenterSettingsView&>(*center->body()); }
};

void BM_OpenDemoPreferenceCenter(benchmark::State& state) {
    auto data = demoCenter();
    Screen screen;
    for (auto _ : state) {
        screen.open(data);
        state.PauseTiming();
        screen.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDemoPreferenceCenter)->Unit(benchmark::kMillisecond);

std::shared_ptr<QVPreferenceCenterData> centerWithFiftyKilobytePolicy() {
    auto data = demoCenter();
    auto page = std::get<std::shared_ptr<QVHTMLPageData>>(data->tabs[1].content);
    page->html->html = policyOf(50'000);
    return data;
}

// The first switch to the policy on a screen just opened, as a viewer reaching it: its HTML is
// converted and its text laid out anew. Only the toolkit's word widths are warm, as in any app
// that has shown text before.
void BM_SwitchToFiftyKilobytePolicy(benchmark::State& state) {
    auto data = centerWithFiftyKilobytePolicy();
    Screen screen;
    for (auto _ : state) {
        state.PauseTiming();
        screen.open(data);
        state.ResumeTiming();
        screen.center->tabViews()[1]->sendActions(tvkit::ControlEvent::primaryActionTriggered);
        screen.frame();
        state.PauseTiming();
        screen.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SwitchToFiftyKilobytePolicy)->Unit(benchmark::kMillisecond);

// Back to the policy from another tab of the same screen: a new body over the text the screen
// converted the first time.
void BM_SwitchBackToFiftyKilobytePolicy(benchmark::State& state) {
    Screen screen;
    screen.open(centerWithFiftyKilobytePolicy());
    for (auto _ : state) {
        screen.center->tabViews()[1]->sendActions(tvkit::ControlEvent::primaryActionTriggered);
        screen.frame();
        state.PauseTiming();
        screen.center->tabViews()[0]->sendActions(tvkit::ControlEvent::primaryActionTriggered);
        screen.frame();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SwitchBackToFiftyKilobytePolicy)->Unit(benchmark::kMillisecond);

void BM_OpenDataRequestTab(benchmark::State& state) {
    auto data = demoCenter();
    std::size_t form = 0;
    while (form < data->tabs.size() && data->tabs[form].type != QVPreferenceCenterTabType::dataRequest) ++form;
    if (form == data->tabs.size()) throw std::runtime_error("the demo preference center has no data-request tab");
    Screen screen;
    screen.open(data);
    for (auto _ : state) {
        screen.center->tabViews()[form]->sendActions(tvkit::ControlEvent::primaryActionTriggered);
        screen.frame();
        state.PauseTiming();
        screen.center->tabViews()[0]->sendActions(tvkit::ControlEvent::primaryActionTriggered);
        screen.frame();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDataRequestTab)->Unit(benchmark::kMillisecond);

void BM_ExpandCategoryOfTenPackages(benchmark::State& state) {
    auto data = demoCenter();
    auto settings = std::get<std::shared_ptr<QVSettingsData>>(data->tabs[0].content);
    auto category = settings->categories.back();
    while (category->packages.size() < 10) category->packages.push_back(category->packages.front());
    category->packages.resize(10);
    category->isExpanded = false;
    Screen screen;
    screen.open(data);
    CategoryView* card = screen.settings().categoryViews().back();
    for (auto _ : state) {
        card->onSelect();
        screen.frame();
        state.PauseTiming();
        card->onSelect();
        screen.frame();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExpandCategoryOfTenPackages)->Unit(benchmark::kMillisecond);

void BM_FocusMoveInSettingsList(benchmark::State& state) {
    Screen screen;
    screen.open(demoCenter());
    CategoryView* first = screen.settings().categoryViews().front();
    for (int i = 0; i < 20 && screen.host.focusedView() != first; ++i) screen.host.press(tvkit::PressType::downArrow);
    if (screen.host.focusedView() != first) throw std::runtime_error("the first category never took focus");
    screen.frame();
    bool down = true;
    for (auto _ : state) {
        screen.host.press(down ? tvkit::PressType::downArrow : tvkit::PressType::upArrow);
        screen.frame();
        down = !down;
    }
}
BENCHMARK(BM_FocusMoveInSettingsList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
