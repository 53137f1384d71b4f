#pragma once

#include <benchmark/benchmark.h>

#include <ostream>
#include <string>
#include <vector>

namespace qrn::bench {

// The console report as usual, and at the end a Markdown table of every result with its
// baseline, its ratio and the target it is held to.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so a saved run reads cleanly.
    SummaryReporter();
    void ReportRuns(const std::vector<Run>& runs) override;
    // Writes the table; returns false when a target was missed or a benchmark failed.
    bool printSummary(std::ostream& out) const;

private:
    struct Result {
        std::string name;
        double time;
        std::string unit;
        double firstMs;
        double bestMs;  // negative when the benchmark has no baseline
        double baseMs;
        double ratio;
        bool failed;
    };
    std::vector<Result> results_;
};

}  // namespace qrn::bench
