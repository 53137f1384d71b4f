// The benchmark program: the usual Google Benchmark command line, then a summary table.
// The window benchmarks run on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <iostream>
#include <memory>

#ifdef QRN_BENCH_WINDOW
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include "bench/summary.h"
#include "bench/workspace.h"

namespace {

// The offscreen platform says for every window that it cannot pass size hints on.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The repeated runs of a benchmark measure the work in a process that has held such data
    // before: the heap keeps the memory a run frees instead of handing it back to the system,
    // so the next run does not pay the first touch of every page again. What a fresh process
    // pays is measured by qrn_bench_memory and FirstTouch.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    qInstallMessageHandler(quietMessages);
#ifdef QRN_BENCH_WINDOW
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    // Made before the first benchmark, so no benchmark pays for writing the test files.
    qrn::bench::Workspace& workspace = qrn::bench::Workspace::instance();
    for (long rows : {1000L, 100000L, 1000000L}) workspace.planPath(rows);

    qrn::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const bool met = reporter.printSummary(std::cout);
    std::cout << (met ? "\nEvery target is met.\n" : "\nA target is missed (see **no**).\n");
    return 0;
}
