// qrn_bench_make_plan FOLDER ROWS: writes the benchmark catalogue QRN.txt and a plan of ROWS
// rows, plan_ROWS.txt, into FOLDER (for timing the command-line tool and its peers on them).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/plan_data.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qrn_bench_make_plan FOLDER ROWS\n");
        return 2;
    }
    const std::string folder = argv[1];
    const long rows = std::atol(argv[2]);
    std::filesystem::create_directories(folder);
    qrn::bench::writeCatalogueFile(folder + "/QRN.txt");
    qrn::bench::writePlanFile(folder + "/plan_" + std::to_string(rows) + ".txt", rows);
    return 0;
}
