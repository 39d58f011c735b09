// Template parse time: the demo application's banner and preference-center pair (about 95 KB
// together, most of it the inline privacy policy), from bytes to models, against nlohmann-json
// alone parsing the same bytes. The ratio shows what the models add on top of JSON parsing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/QVPreferenceCenterData.h"

namespace {

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(QVTV_FIXTURES_DIR) + "/demo-tv-app/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string& bannerBytes() {
    static const std::string bytes = readFixture("banner.json");
    return bytes;
}

const std::string& centerBytes() {
    static const std::string bytes = readFixture("preference-center.json");
    return bytes;
}

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bannerBytes().size() + centerBytes().size()));
}

// What the repository does with two template answers: parse each body, build the banner, then
// the preference center over the banner's categories.
void BM_TemplatePair(benchmark::State& state) {
    for (auto _ : state) {
        auto banner = qvtv::QVConsentBannerData::fromJson(nlohmann::json::parse(bannerBytes()));
        auto center = qvtv::QVPreferenceCenterData::fromJson(nlohmann::json::parse(centerBytes()),
                                                             (*banner)->categories);
        benchmark::DoNotOptimize(center);
    }
    setBytes(state);
}

void BM_JsonOnly(benchmark::State& state) {
    for (auto _ : state) {
        auto banner = nlohmann::json::parse(bannerBytes());
        auto center = nlohmann::json::parse(centerBytes());
        benchmark::DoNotOptimize(banner);
        benchmark::DoNotOptimize(center);
    }
    setBytes(state);
}

// Models only, from already parsed JSON: the part this library owns.
void BM_ModelsFromParsedJson(benchmark::State& state) {
    const nlohmann::json banner = nlohmann::json::parse(bannerBytes());
    const nlohmann::json center = nlohmann::json::parse(centerBytes());
    for (auto _ : state) {
        auto b = qvtv::QVConsentBannerData::fromJson(banner);
        auto c = qvtv::QVPreferenceCenterData::fromJson(center, (*b)->categories);
        benchmark::DoNotOptimize(c);
    }
}

BENCHMARK(BM_TemplatePair)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_JsonOnly)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ModelsFromParsedJson)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Prints the medians side by side and their ratio after the table, so one run answers both
// targets: the pair under 2 ms, and no more than 1.5 times JSON parsing alone.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.aggregate_name != "median") continue;
            if (run.run_name.function_name == "BM_TemplatePair") pair_ = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            if (run.run_name.function_name == "BM_JsonOnly") json_ = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (pair_.cpu <= 0 || json_.cpu <= 0) return;
        // CPU time is the steadier figure on a shared machine; wall time is shown beside it.
        GetOutputStream() << "template pair median: " << pair_.cpu << " us CPU, " << pair_.real
                          << " us wall (target <= 2000 us)\n"
                          << "nlohmann-json alone median: " << json_.cpu << " us CPU, " << json_.real << " us wall\n"
                          << "ratio pair / json alone: " << pair_.cpu / json_.cpu << " CPU, " << pair_.real / json_.real
                          << " wall (target <= 1.5)\n";
    }

private:
    struct Median {
        double real = 0;
        double cpu = 0;
    };
    Median pair_;
    Median json_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
