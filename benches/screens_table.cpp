// The screens' figures in one table: runs the benchmark cases that measure them (from the
// banner, preference-center and keyboard programs beside this one), and the
// demo's headless tour for its peak memory, then prints each against its target.
//
//   build-bench/benches/screens_table
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

struct Row {
    const char* what;
    const char* program;
    const char* benchmark;
    double target;  // milliseconds, or megabytes for memory
};

std::string runAndRead(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// A path as one shell word. (Appended, not "'" + path: g++ 12 at -O3 falsely warns about the sum.)
std::string quoted(const std::filesystem::path& path) { return std::string(1, '\'').append(path.string()).append(1, '\''); }

// The wall time of one case, in milliseconds. Options the case sets for itself (/repeats:5,
// /real_time, /min_time:...) follow its name.
std::optional<double> medianMs(const std::filesystem::path& program, const std::string& benchmark) {
    // The figures go to a file: the programs' own log lines share the standard output.
    const auto file = std::filesystem::temp_directory_path() / "qvtv-screens-table.json";
    runAndRead(quoted(program) + " --benchmark_filter='^" + benchmark + "(/|$)' --benchmark_out=" + quoted(file) +
               " --benchmark_out_format=json >/dev/null 2>&1");
    std::ifstream in(file);
    const auto json = nlohmann::json::parse(in, nullptr, false);
    in.close();
    std::error_code error;
    std::filesystem::remove(file, error);
    if (!json.is_object() || !json["benchmarks"].is_array()) return std::nullopt;
    // The median of a repeated case; otherwise the one run, an average over its iterations.
    std::optional<nlohmann::json> chosen;
    for (const auto& entry : json["benchmarks"]) {
        if (entry.value("aggregate_name", "") == "median") chosen = entry;
        if (!chosen && entry.value("run_type", "") == "iteration") chosen = entry;
    }
    if (!chosen) return std::nullopt;
    const std::string unit = chosen->value("time_unit", "ns");
    const double scale = unit == "ms" ? 1 : unit == "us" ? 1e-3 : unit == "s" ? 1e3 : 1e-6;
    return chosen->value("real_time", 0.0) * scale;
}

// The peak memory the demo reports after its tour through every screen.
std::optional<double> tourPeakMb(const std::filesystem::path& demo) {
    const auto scratch = std::filesystem::temp_directory_path() / "qvtv-screens-table";
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
    const auto out = runAndRead(quoted(demo) + " --headless --fresh --tour --data " + quoted(scratch / "data") +
                                " --screenshots " + quoted(scratch / "shots") + " 2>/dev/null");
    std::filesystem::remove_all(scratch, error);
    std::smatch match;
    if (!std::regex_search(out, match, std::regex("peak memory of this start: ([0-9]+) MB"))) return std::nullopt;
    return std::stod(match[1]);
}

} // namespace

int main() {
    std::error_code error;
    const auto here = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    const std::vector<Row> rows{
        {"banner: showConsentBanner to first frame", "bench_banner", "BM_ShowBannerToFirstFullFrame", 16.7},
        {"preference center: open to first frame", "bench_preference_center", "BM_OpenDemoPreferenceCenter", 33},
        {"tab switch to a 50 KB policy (first time)", "bench_preference_center", "BM_SwitchToFiftyKilobytePolicy", 16.7},
        {"tab switch back to a 50 KB policy", "bench_preference_center", "BM_SwitchBackToFiftyKilobytePolicy", 16.7},
        {"focus move with redraw (banner buttons)", "bench_banner", "BM_FocusMoveBetweenButtonsWithRedraw", 4},
        {"on-screen key press to frame", "bench_tvkit_keyboard", "BM_KeySelectToFrame/0", 4},
    };
    bool allMet = true;
    std::printf("%-44s %12s %10s  %s\n", "screens", "time", "target", "");
    for (const auto& row : rows) {
        const auto ms = medianMs(here / row.program, row.benchmark);
        const bool met = ms && *ms <= row.target;
        allMet = allMet && met;
        std::printf("%-44s %9.2f ms %7.1f ms  %s\n", row.what, ms.value_or(-1), row.target,
                    ms ? (met ? "ok" : "MISSED") : "not measured");
    }
    const auto mb = tourPeakMb(here.parent_path() / "tools" / "demo" / "qvtv-demo");
    const bool metMemory = mb && *mb <= 64;
    std::printf("%-44s %9.0f MB %7d MB  %s\n", "peak memory (RSS) of the headless tour", mb.value_or(-1), 64,
                mb ? (metMemory ? "ok" : "MISSED") : "not measured");
    // A missed target is a finding for the table, not a failure of the program.
    if (!allMet || !metMemory) std::cout << "some screens miss their targets (see above)\n";
    return 0;
}
