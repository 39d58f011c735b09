// The consent banner at 1920 x 1080 on the headless host: from showConsentBanner (templates
// already loaded) to the first frame that draws the banner fully laid out, and one focus move
// between its buttons with the redraw. The library is initialised once against the local
// consent service; the cross-dissolve runs on the virtual clock, so its 0.35 s are not counted.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include "QVTVConsent/QVTVConsent.h"
#include "QVTVConsent/data/ServiceSettings.h"
#include "platform/Paths.h"
#include "platform/RunLoop.h"
#include "tools/consent-service/ConsentService.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"

namespace {

class BannerWorld {
public:
    BannerWorld()
        : root_(std::filesystem::temp_directory_path() / ("qvtv-bench-banner-" + std::to_string(::getpid()))),
          service_(consentservice::ConsentService::Options::serving(QVTV_FIXTURES_DIR)) {
        std::filesystem::create_directories(root_);
        platform::Paths::setDataDirectory(root_);
        if (!service_.start()) throw std::runtime_error("the local consent service did not start");
        qvtv::ServiceSettings::setBaseUrl(service_.baseUrl());
        auto result = qvtv::QVConsentEngineFactory::initialise(qvtv::QVAuthKey("demo-tv-app")).get();
        if (!result.data()) throw std::runtime_error("initialise failed: " + result.description());
        engine = *result.data();
        home = std::make_shared<tvkit::ViewController>();
        host.setRootViewController(home);
        host.render();
    }
    ~BannerWorld() {
        host.advance(10);
        qvtv::QVConsentEngineFactory::clearSession(true);
        service_.stop();
        std::filesystem::remove_all(root_);
    }

    // Shows the banner and returns once the frame with the whole banner has been drawn.
    void showAndDraw() {
        if (engine->showConsentBanner(home).code() != 200) throw std::runtime_error("show refused");
        platform::RunLoop::main().runUntil([&] { return home->presentedViewController() != nullptr; });
        host.advance(tvkit::ViewController::transitionDuration);
        host.render();
    }
    void close() {
        home->dismiss(false);
        host.runPending();
        host.render();
    }

    std::filesystem::path root_;
    consentservice::ConsentService service_;
    tvkit::HeadlessHost host;
    std::shared_ptr<tvkit::ViewController> home;
    std::shared_ptr<qvtv::QVConsentEngine> engine;
};

BannerWorld& world() {
    static BannerWorld instance;
    return instance;
}

void BM_ShowBannerToFirstFullFrame(benchmark::State& state) {
    auto& w = world();
    for (auto _ : state) {
        w.showAndDraw();
        state.PauseTiming();
        w.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowBannerToFirstFullFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FocusMoveBetweenButtonsWithRedraw(benchmark::State& state) {
    auto& w = world();
    w.showAndDraw();
    bool right = true;
    for (auto _ : state) {
        w.host.press(right ? tvkit::PressType::rightArrow : tvkit::PressType::leftArrow);
        w.host.advance(0.25);  // the focus animation, on the virtual clock
        w.host.render();
        right = !right;
    }
    w.close();
}
BENCHMARK(BM_FocusMoveBetweenButtonsWithRedraw)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
