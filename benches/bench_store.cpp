// Reads and durable writes of the preferences store on a real SQLite file: the typed status read,
// the consent-document read (JSON parse and record construction included) and a durable save.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "QVTVConsent/data/PrefsFactory.h"
#include "platform/Paths.h"

namespace {

const std::string app = "demo-tv-app";

class Store {
public:
    Store() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvtv-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        platform::Paths::setDataDirectory(dir_);
        prefs_ = qvtv::PrefsFactory::create();
        std::ifstream in(std::filesystem::path(QVTV_FIXTURES_DIR) / app / "consent.json");
        std::stringstream text;
        text << in.rdbuf();
        document_ = *qvtv::QVDynamic::fromJson(nlohmann::json::parse(text.str()));
        prefs_->saveConsentRecord(app, *document_);
        prefs_->saveConsentStatus(app, qvtv::QVConsentStatus::collected);
    }
    ~Store() { std::filesystem::remove_all(dir_); }

    qvtv::Prefs& prefs() { return *prefs_; }
    const qvtv::QVDynamic& document() const { return *document_; }

private:
    std::filesystem::path dir_;
    std::shared_ptr<qvtv::Prefs> prefs_;
    std::shared_ptr<qvtv::QVDynamic> document_;
};

Store& store() {
    static Store s;
    return s;
}

void BM_GetConsentStatus(benchmark::State& state) {
    auto& prefs = store().prefs();
    for (auto _ : state) benchmark::DoNotOptimize(prefs.getConsentStatus(app));
}
BENCHMARK(BM_GetConsentStatus)->Repetitions(5);

void BM_GetConsentRecord(benchmark::State& state) {
    auto& prefs = store().prefs();
    for (auto _ : state) {
        auto record = prefs.getConsentRecord(app);
        if (!record) state.SkipWithError("no record");
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_GetConsentRecord)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// On disk before it returns: WAL with synchronous=FULL, so each save waits for fsync.
void BM_SaveConsentRecordDurably(benchmark::State& state) {
    auto& prefs = store().prefs();
    for (auto _ : state) prefs.saveConsentRecord(app, store().document());
}
BENCHMARK(BM_SaveConsentRecordDurably)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void BM_SaveConsentStatusDurably(benchmark::State& state) {
    auto& prefs = store().prefs();
    for (auto _ : state) prefs.saveConsentStatus(app, qvtv::QVConsentStatus::collected);
}
BENCHMARK(BM_SaveConsentStatusDurably)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
