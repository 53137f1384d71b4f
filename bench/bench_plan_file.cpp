// Writing and reading plans of 1,000, 100,000 and 1,000,000 rows over the full catalogue,
// each against what the machine does with the same bytes.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "base/codepage.h"
#include "bench/baseline.h"
#include "bench/measure.h"
#include "bench/plan_lists.h"
#include "bench/workspace.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_save.h"
#include "planfile/plan_writer.h"
#include "platform/platform.h"

namespace qrn::bench {

namespace {

// openQRN through the real file system, against reading the file and finding its line ends.
void ReadPlan(benchmark::State& state) {
    Workspace& ws = Workspace::instance();
    const long rows = long(state.range(0));
    const std::string& path = ws.planPath(rows);
    const std::u16string file = u16(path);
    const double base = fastest(5, [&] { benchmark::DoNotOptimize(scanLineEnds(path)); });
    Timer timer(state);
    PlacementList list;
    for (auto _ : state) {
        list.clear();  // dropping the rows of the run before is not part of the reading
        timer.time([&] { openQRN(file, list, ws.catalogue(), ws.files()); });
    }
    if (list.count() != rows) state.SkipWithError("the plan did not read back whole");
    timer.reportRatio(base);
    timer.reportFaults();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(ws.planSize(rows)));
}

// MakeQRNFile and the conversion to Windows-1252 bytes, against copying as many bytes.
void MakePlanBytes(benchmark::State& state) {
    Workspace& ws = Workspace::instance();
    const long rows = long(state.range(0));
    const PlacementList& list = planList(rows);
    const std::string bytes = encodeWindows1252(MakeQRNFile(list, ws.catalogue()));
    if (bytes.size() != ws.planSize(rows)) state.SkipWithError("the text differs from the plan");
    const double base = fastest(5, [&] { benchmark::DoNotOptimize(copyBytes(bytes)); });
    Timer timer(state);
    for (auto _ : state) {
        timer.time([&] {
            const std::string out = encodeWindows1252(MakeQRNFile(list, ws.catalogue()));
            benchmark::DoNotOptimize(out.data());
        });
    }
    timer.reportRatio(base);
    timer.reportFaults();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

// Saving as the window does (savePlan through QtFileSystem's replacing output), against writing the
// same bytes to a file the same safe way (temporary file, flush to disk, rename).
void WritePlanFile(benchmark::State& state) {
    Workspace& ws = Workspace::instance();
    const long rows = long(state.range(0));
    const PlacementList& list = planList(rows);
    const std::string bytes = encodeWindows1252(MakeQRNFile(list, ws.catalogue()));
    const std::string target = ws.folder() + "/written_" + std::to_string(rows) + ".txt";
    const std::string copyTarget = ws.folder() + "/copied_" + std::to_string(rows) + ".txt";
    const double base = fastest(3, [&] { writeBytesToFile(copyTarget, bytes); });
    const std::u16string file = u16(target);
    Timer timer(state);
    for (auto _ : state) {
        timer.time([&] { savePlan(file, list, ws.catalogue(), ws.files()); });
    }
    timer.reportRatio(base);
    timer.reportFaults();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

// What this machine pays for memory a program touches for the first time: allocating, filling
// and freeing the bytes of a plan (faults counts its page faults).
void FirstTouch(benchmark::State& state) {
    const std::size_t bytes = std::size_t(state.range(0)) << 20;
    Timer timer(state);
    for (auto _ : state) {
        timer.time([&] {
            std::unique_ptr<char[]> memory(new char[bytes]);
            std::memset(memory.get(), 1, bytes);
            benchmark::DoNotOptimize(memory.get());
        });
    }
    timer.reportFaults();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
BENCHMARK(FirstTouch)->ArgName("MiB")->Arg(80)->UseManualTime()->Unit(benchmark::kMillisecond);

void planSizes(benchmark::internal::Benchmark* b) {
    b->ArgName("rows")->Arg(1000)->Arg(100000)->Arg(1000000);
    // Long enough for several runs of the largest plan: the first pays for memory that the
    // later ones find already in the process.
    b->MinTime(3)->UseManualTime()->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(WritePlanFile)->Apply(planSizes);
BENCHMARK(MakePlanBytes)->Apply(planSizes);
BENCHMARK(ReadPlan)->Apply(planSizes);

}  // namespace qrn::bench
