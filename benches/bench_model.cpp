// Parsing a large consent document into records and writing it back as stored text.
// Target: record parse + write-back as text together at most 200 µs (median) for 20 x 20.

#include <benchmark/benchmark.h>

#include <string>

#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/model/QVDynamic.h"

namespace {

constexpr const char* kCategories[] = {"Essential", "site_analytics", "Advertising", "SOCIAL_MEDIA",
                                       "CustomerInteraction"};

nlohmann::json makeDocument(int categories, int packages) {
    nlohmann::json list = nlohmann::json::array();
    for (int c = 0; c < categories; ++c) {
        nlohmann::json consents = nlohmann::json::array();
        for (int p = 0; p < packages; ++p) {
            std::string id = "com.vendor" + std::to_string(c) + ".sdk" + std::to_string(p);
            consents.push_back({{"PackageName", "Vendor " + std::to_string(c) + " SDK " + std::to_string(p)},
                                {"Name", "Vendor " + std::to_string(c) + " SDK " + std::to_string(p)},
                                {"PackageId", id},
                                {"IsEnabled", p % 3 == 0 ? nlohmann::json("yes") : nlohmann::json(p % 2 == 0)}});
        }
        list.push_back({{"MobileComplianceCategory", kCategories[c % 5]},
                        {"ConsentGiven", "Partial"},
                        {"MobilePackageConsents", std::move(consents)}});
    }
    return {{"location", "DE"},
            {"autoClientId", "3f6d2a9c-8b1e-4c7a-9e55-0d4b7f21c6a8"},
            {"isConsentRecordingAllowed", true},
            {"MobilePackageConsents", std::move(list)}};
}

const nlohmann::json& document() {
    static const nlohmann::json doc = makeDocument(20, 20);
    return doc;
}

// The measured target: JSON value -> records -> stored text, the way a save writes it.
void BM_ParseAndWriteBack(benchmark::State& state) {
    for (auto _ : state) {
        auto record = qvtv::QVDynamic::fromJson(document());
        auto text = qvtv::JsonUtils::jsonString(**record, "QVDynamic");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ParseAndWriteBack)->Unit(benchmark::kMicrosecond);

void BM_RecordsFromJson(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(qvtv::QVDynamic::fromJson(document()));
}
BENCHMARK(BM_RecordsFromJson)->Unit(benchmark::kMicrosecond);

void BM_WriteBack(benchmark::State& state) {
    auto record = *qvtv::QVDynamic::fromJson(document());
    for (auto _ : state) benchmark::DoNotOptimize(qvtv::JsonUtils::jsonString(*record, "QVDynamic"));
}
BENCHMARK(BM_WriteBack)->Unit(benchmark::kMicrosecond);

// For context: the same text through a JSON value tree first.
void BM_ToJsonAndJsonString(benchmark::State& state) {
    auto record = *qvtv::QVDynamic::fromJson(document());
    for (auto _ : state) benchmark::DoNotOptimize(qvtv::JsonUtils::jsonString(record->toJson(), "QVDynamic"));
}
BENCHMARK(BM_ToJsonAndJsonString)->Unit(benchmark::kMicrosecond);

// For context: the whole road from stored text, including nlohmann's text parser.
void BM_FromTextAndBack(benchmark::State& state) {
    const std::string text = document().dump(2);
    state.counters["bytes"] = static_cast<double>(text.size());
    for (auto _ : state) {
        auto record = qvtv::QVDynamic::fromJson(nlohmann::json::parse(text));
        benchmark::DoNotOptimize(qvtv::JsonUtils::jsonString(**record, "QVDynamic"));
    }
}
BENCHMARK(BM_FromTextAndBack)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
