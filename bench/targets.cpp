// SPDX-License-Identifier: GPL-3.0-or-later
// The memset baselines and the closing table of targets.
#include "targets.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>

namespace {

struct Target {
    std::string measure, baseline;
    double limit; // a ratio to the baseline, or microseconds without one
};

std::vector<Target>& Targets() {
    static std::vector<Target> targets;
    return targets;
}

} // namespace

std::string MemsetBaseline(std::size_t bytes) {
    static std::set<std::size_t> registered;
    const std::string name = "Memset/" + std::to_string(bytes);
    if (registered.insert(bytes).second) {
        benchmark::RegisterBenchmark(name.c_str(), [bytes](benchmark::State& state) {
            // Touched once before timing, as the images the measures write already exist.
            auto buffer = std::make_unique<unsigned char[]>(bytes);
            std::memset(buffer.get(), 1, bytes);
            unsigned char value = 0;
            for (auto _ : state) {
                std::memset(buffer.get(), ++value, bytes);
                benchmark::ClobberMemory();
            }
        })->Unit(benchmark::kMicrosecond);
    }
    return name;
}

void TargetRatio(const std::string& measure, const std::string& baseline, double maxRatio) {
    Targets().push_back({measure, baseline, maxRatio});
}

void TargetTime(const std::string& measure, double maxMicroseconds) {
    Targets().push_back({measure, {}, maxMicroseconds});
}

void TargetReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!run.error_occurred && (median || single))
            micros_[run.run_name.str()] =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
    }
}

void TargetReporter::Finalize() {
    ConsoleReporter::Finalize();
    auto& out = GetOutputStream();
    char line[256];
    std::snprintf(line, sizeof line, "\n%-48s %11s %11s %7s %8s\n", "Target (CPU time)", "time us",
                  "baseline us", "ratio", "limit");
    out << line;
    for (const Target& t : Targets()) {
        const auto measure = micros_.find(t.measure);
        const auto baseline = micros_.find(t.baseline);
        if (measure == micros_.end() || (!t.baseline.empty() && baseline == micros_.end()))
            continue; // filtered out of this run
        if (t.baseline.empty()) {
            std::snprintf(line, sizeof line, "%-48s %11.2f %11s %7s %6.0fus %s\n",
                          t.measure.c_str(), measure->second, "-", "-", t.limit,
                          measure->second < t.limit ? "ok" : "MISSED");
        } else {
            const double ratio = measure->second / baseline->second;
            std::snprintf(line, sizeof line, "%-48s %11.2f %11.2f %7.2f %7.1fx %s\n",
                          t.measure.c_str(), measure->second, baseline->second, ratio, t.limit,
                          ratio <= t.limit ? "ok" : "MISSED");
        }
        out << line;
    }
}
