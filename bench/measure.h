#pragma once

// Timing helpers: every benchmark times its iterations itself (manual time), so it can leave
// preparation out and set a ratio to a baseline measured in the same run.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace qrn::bench {

// Page faults of the process so far. First touches of fresh memory are what make holding a
// large plan expensive on a virtual machine.
inline long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

template <class F>
double seconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The fastest of n runs: what the machine can do, with the least noise from its neighbours.
template <class F>
double fastest(int n, F&& f) {
    double best = seconds(f);
    for (int i = 1; i < n; ++i) best = std::min(best, seconds(f));
    return best;
}

// Times the iterations: time(f) runs f as one iteration's measured work.
class Timer {
public:
    explicit Timer(benchmark::State& state) : state_(state) {}
    template <class F>
    void time(F&& f) {
        const long faultsBefore = pageFaults();
        const double s = seconds(f);
        faults_ += pageFaults() - faultsBefore;
        state_.SetIterationTime(s);
        if (count_ == 0) first_ = s;
        best_ = count_ == 0 ? s : std::min(best_, s);
        ++count_;
    }
    // The fastest iteration.
    double best() const { return best_; }

    // Counter "faults": the page faults of an iteration, on average.
    void reportFaults() {
        state_.counters["faults"] = count_ == 0 ? 0 : double(faults_) / double(count_);
    }

    // Counters "first_ms" (the first iteration, which alone finds no memory freed by an
    // earlier one), "best_ms" (the fastest iteration), "base_ms" (the fastest baseline run) and
    // "ratio" of the last two. Fastest against fastest: on a machine shared with other work, the
    // least disturbed runs of each compare the work itself.
    void reportRatio(double baselineSeconds) {
        state_.counters["first_ms"] = first_ * 1e3;
        state_.counters["best_ms"] = best_ * 1e3;
        state_.counters["base_ms"] = baselineSeconds * 1e3;
        state_.counters["ratio"] = baselineSeconds > 0 ? best_ / baselineSeconds : 0;
    }

private:
    benchmark::State& state_;
    double first_ = 0;
    double best_ = 0;
    long count_ = 0;
    long faults_ = 0;
};

}  // namespace qrn::bench
