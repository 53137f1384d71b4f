#include "bench/summary.h"

#include <unistd.h>

#include <cstdio>
#include <optional>

namespace qrn::bench {

namespace {

struct Target {
    const char* prefix;
    enum { Ratio, Milliseconds } kind;
    double limit;
};

// What the results are held to on this machine.
constexpr Target kTargets[] = {
    {"ReadPlan/rows:1000000/", Target::Ratio, 8},
    {"WritePlanFile/rows:1000000/", Target::Ratio, 3},
    {"MakePlanBytes/rows:1000000/", Target::Ratio, 4},
    {"ListCommand/", Target::Milliseconds, 5},
    {"WindowCommand/", Target::Milliseconds, 50},
    {"WindowOpenPlan/", Target::Milliseconds, 2000},
    {"WindowNewAndOpen/", Target::Milliseconds, 2000},
    {"MapPaint/", Target::Milliseconds, 30},
    {"MapMarkerAt", Target::Milliseconds, 1},
    {"MapOverlapsOfMoved", Target::Milliseconds, 1},
    {"MapEditRow/insert:0", Target::Milliseconds, 1},
    {"SelectAllAndDelete", Target::Milliseconds, 100},
    {"CopyAll", Target::Milliseconds, 200},
    {"PasteAll", Target::Milliseconds, 300},
    {"FindEveryRow", Target::Milliseconds, 50},
};

std::optional<Target> targetOf(const std::string& name) {
    for (const Target& t : kTargets) {
        if (name.rfind(t.prefix, 0) == 0) return t;
    }
    return std::nullopt;
}

double toMilliseconds(double time, const std::string& unit) {
    if (unit == "s") return time * 1e3;
    if (unit == "us") return time / 1e3;
    if (unit == "ns") return time / 1e6;
    return time;
}

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

SummaryReporter::SummaryReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration) continue;
        Result result{run.benchmark_name(),
                      run.GetAdjustedRealTime(),
                      benchmark::GetTimeUnitString(run.time_unit),
                      -1,
                      -1,
                      -1,
                      0,
                      run.error_occurred};
        if (auto base = run.counters.find("base_ms"); base != run.counters.end()) {
            result.baseMs = base->second.value;
            result.bestMs = run.counters.at("best_ms").value;
            result.firstMs = run.counters.at("first_ms").value;
            result.ratio = run.counters.at("ratio").value;
        }
        results_.push_back(result);
    }
}

bool SummaryReporter::printSummary(std::ostream& out) const {
    bool allMet = true;
    out << "\n| Benchmark | Mean time | First | Fastest | Baseline | Ratio | Target | Met |\n"
        << "|---|---:|---:|---:|---:|---:|---|---|\n";
    for (const Result& r : results_) {
        std::string name = r.name;
        // Without the run settings: "/min_time:3.000", "/iterations:2000", "/manual_time".
        for (const char* setting : {"/min_time:", "/iterations:", "/manual_time"}) {
            if (const auto at = name.find(setting); at != name.npos)
                name.erase(at, name.find('/', at + 1) - at);
        }
        out << "| " << name << " | ";
        if (r.failed) {
            out << "failed | | | | | | no |\n";
            allMet = false;
            continue;
        }
        out << format(r.time < 10 ? "%.3f" : "%.1f", r.time) << ' ' << r.unit << " | ";
        out << (r.firstMs >= 0 ? format("%.3f ms", r.firstMs) : "") << " | ";
        out << (r.bestMs >= 0 ? format("%.3f ms", r.bestMs) : "") << " | ";
        out << (r.baseMs >= 0 ? format("%.3f ms", r.baseMs) : "") << " | ";
        out << (r.baseMs > 0 ? format("%.2f", r.ratio) : "") << " | ";
        const std::optional<Target> target = targetOf(r.name);
        if (!target) {
            out << " | |\n";
            continue;
        }
        bool met;
        if (target->kind == Target::Ratio) {
            met = r.ratio <= target->limit;
            out << format("ratio <= %g", target->limit);
        } else {
            met = toMilliseconds(r.time, r.unit) <= target->limit;
            out << format("<= %g ms", target->limit);
        }
        out << " | " << (met ? "yes" : "**no**") << " |\n";
        allMet = allMet && met;
    }
    return allMet;
}

}  // namespace qrn::bench
