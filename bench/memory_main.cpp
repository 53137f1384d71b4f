// qrn_bench_memory FOLDER [ROWS]: writes the benchmark catalogue QRN.txt and a plan of ROWS
// rows (1,000,000 by default) into FOLDER, reads the plan into a PlacementList as "Ouvrir"
// does, and tells the time and page faults that took in a process that has held no plan yet
// (against a scan of the same file's line ends), and the memory, per row, above the program
// before the reading: the peak resident size (getrusage) and the heap in use while the plan is
// open (mallinfo2). The files stay, for timing other programs on them.

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/baseline.h"
#include "bench/plan_data.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"
#include "platform/qt/qt_file_system.h"

namespace {

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

std::u16string u16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: qrn_bench_memory FOLDER [ROWS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const long rows = argc == 3 ? std::atol(argv[2]) : 1000000;
    std::filesystem::create_directories(folder);
    const std::string cataloguePath = folder + "/QRN.txt";
    const std::string planPath = folder + "/plan_" + std::to_string(rows) + ".txt";
    qrn::bench::writeCatalogueFile(cataloguePath);
    const std::size_t bytes = qrn::bench::writePlanFile(planPath, rows);

    qrn::platform::QtFileSystem files;
    qrn::Catalogue catalogue;
    catalogue.load(files, u16(cataloguePath));
    qrn::PlacementList list;

    const long peakBefore = peakResidentKiB();
    const double heapBefore = heapInUse();
    const long faultsBefore = pageFaults();
    const auto start = std::chrono::steady_clock::now();
    qrn::openQRN(u16(planPath), list, catalogue, files);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long faults = pageFaults() - faultsBefore;
    const double heapOpen = heapInUse();
    const long peakOpen = peakResidentKiB();

    // The yardstick, after the reading so that it does not warm anything for it: the fastest of
    // five scans of the file's line ends.
    double scan = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto scanStart = std::chrono::steady_clock::now();
        qrn::bench::scanLineEnds(planPath);
        scan = std::min(
            scan,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - scanStart).count());
    }

    const double peakPerRow = double(peakOpen - peakBefore) * 1024.0 / double(rows);
    const double heapPerRow = (heapOpen - heapBefore) / double(rows);
    std::printf("Plan: %s, %ld rows, %zu bytes; %d rows read\n", planPath.c_str(), rows, bytes,
                list.count());
    std::printf("Reading in this fresh process: %.3f s, %ld page faults\n", seconds, faults);
    std::printf("Line-end scan of the same file: %.3f s; the reading takes %.1f x (target 8: %s)\n",
                scan, seconds / scan, seconds <= 8 * scan ? "met" : "MISSED");
    std::printf("Peak resident size: %.1f MiB before reading, %.1f MiB with the plan open\n",
                double(peakBefore) / 1024.0, double(peakOpen) / 1024.0);
    std::printf("Peak above the program before reading: %.1f bytes a row\n", peakPerRow);
    std::printf("Heap in use with the plan open: %.1f bytes a row\n", heapPerRow);
    std::printf("Target <= 200 bytes a row (peak): %s\n", peakPerRow <= 200 ? "met" : "MISSED");
    return list.count() == rows ? 0 : 1;
}
