// Initialisation latency against the local consent service with 50 ms added to every answer,
// for the primary and the secondary demo application: cold (fresh install, the consent document
// is fetched: three requests per application) and warm (documents stored: two requests each).
// Both applications load concurrently and each sends its two template requests together, so cold
// waits on two round trips (document, then templates; at most 2.2 x 50 ms) and warm on one (at
// most 1.2 x 50 ms).
// Each start is a repetition of its own, so the median printed is the median of 15 starts.
// Also the latency of a consent-status query through the public engine.
#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "QVTVConsent/QVTVConsent.h"
#include "QVTVConsent/data/ServiceSettings.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/data/KeychainHelper.h"
#include "QVTVConsent/data/UserDefaults.h"
#include "platform/Paths.h"
#include "tools/consent-service/ConsentService.h"

namespace {

const std::string primaryId = "demo-tv-app";
const std::string secondaryId = "demo-tv-app-kids";

class BenchWorld {
public:
    BenchWorld()
        : root_(std::filesystem::temp_directory_path() / ("qvtv-bench-engine-" + std::to_string(::getpid()))),
          service_(consentservice::ConsentService::Options::serving(QVTV_FIXTURES_DIR)) {
        std::filesystem::create_directories(root_);
        if (!service_.start()) throw std::runtime_error("the local consent service did not start");
        consentservice::ServiceFault latency;
        latency.latency = std::chrono::milliseconds(50);
        for (auto endpoint : {consentservice::ServiceEndpoint::consentDocument,
                              consentservice::ServiceEndpoint::bannerTemplate,
                              consentservice::ServiceEndpoint::preferenceCenterTemplate}) {
            service_.setFault(endpoint, latency);
        }
        qvtv::ServiceSettings::setBaseUrl(service_.baseUrl());
    }
    ~BenchWorld() {
        qvtv::QVConsentEngineFactory::clearSession(true);
        service_.stop();
        std::filesystem::remove_all(root_);
    }

    // A device folder of its own, so the first run there is a fresh install. The previous device's
    // repository and stores are closed here rather than inside the next timed run: a fresh install
    // has nothing to close (closing checkpoints and syncs each store).
    void useNewDevice() {
        qvtv::DataFactory::setRepository(nullptr);
        platform::Paths::setDataDirectory(root_ / std::to_string(++devices_));
        (void)qvtv::KeychainHelper::shared();
        (void)qvtv::UserDefaults::standard();
    }

    // Steps 2 and 3 of an initialisation run, as at every app start: a new store and repository
    // over the device's stores, then the loads of both applications.
    static void startRepository() {
        qvtv::DataFactory::create();
        auto started = qvtv::DataFactory::repository()->initialise(qvtv::QVAuthKey(primaryId, secondaryId)).get();
        if (started.code() != 200) throw std::runtime_error("initialise failed: " + started.description());
    }

    static std::shared_ptr<qvtv::QVConsentEngine> initialise() {
        auto result = qvtv::QVConsentEngineFactory::initialise(qvtv::QVAuthKey(primaryId, secondaryId)).get();
        if (!result.data()) throw std::runtime_error("initialise failed: " + result.description());
        return *result.data();
    }

private:
    std::filesystem::path root_;
    consentservice::ConsentService service_;
    int devices_ = 0;
};

BenchWorld& world() {
    static BenchWorld instance;
    return instance;
}

void BM_ColdInitialisation(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        world().useNewDevice();
        state.ResumeTiming();
        BenchWorld::startRepository();
    }
}
BENCHMARK(BM_ColdInitialisation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(15);

void BM_WarmInitialisation(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        world().useNewDevice();
        BenchWorld::startRepository();
        state.ResumeTiming();
        BenchWorld::startRepository();
    }
}
BENCHMARK(BM_WarmInitialisation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(15);

void BM_GetConsentStatus(benchmark::State& state) {
    world().useNewDevice();
    auto engine = BenchWorld::initialise();
    for (auto _ : state) benchmark::DoNotOptimize(engine->getConsentStatus(primaryId));
}
BENCHMARK(BM_GetConsentStatus)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
