// SPDX-License-Identifier: GPL-3.0-or-later
// Targets for the benchmark program: memset baselines run beside the hot paths, and the
// table printed after every run with each figure, its baseline, their ratio and its limit.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// Registers, once per size, a benchmark that only writes `bytes` bytes with memset: the
// physical limit of anything that produces that many bytes. Returns its name.
std::string MemsetBaseline(std::size_t bytes);

// The measure (a benchmark's name) must take at most `maxRatio` times its baseline.
void TargetRatio(const std::string& measure, const std::string& baseline, double maxRatio);
// The measure must take less than `maxMicroseconds`.
void TargetTime(const std::string& measure, double maxMicroseconds);

// The console output as usual, then the table of targets. Times are CPU times (medians when
// repetitions are asked for), which a machine shared with other work disturbs least.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> micros_;
};
