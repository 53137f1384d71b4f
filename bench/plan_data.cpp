#include "bench/plan_data.h"

#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>

namespace qrn::bench {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File create(const std::string& path) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) throw std::runtime_error("cannot create " + path);
    return file;
}

void put(std::FILE* file, const std::string& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw std::runtime_error("cannot write the benchmark data");
}

void padded(std::string& line, const std::string& value, std::size_t width) {
    line += value;
    line.append(width - value.size(), ' ');
}

std::string planId(int index) {
    return "BAT_" + std::to_string(index);
}

std::string planTail(int index) {
    return std::to_string(100 + index % 900);
}

}  // namespace

void writeCatalogueFile(const std::string& path) {
    static const char* const kAges[] = {"15", "14", "12", "8"};
    File file = create(path);
    // "' " starts a comment line; "\xE2" is a Windows-1252 a with circumflex.
    put(file.get(), "' Catalogue des benchmarks\r\n\r\n");
    for (int i = 0; i < kCatalogueRecords; ++i) {
        std::string record;
        for (const std::string& field :
             {std::string(i % 25 == 0 ? "L" : "-"), planId(i), planTail(i), std::string("0"),
              std::string(kAges[i % 4]), std::string("0"),
              "B\xE2timent n\xB0 " + std::to_string(i)}) {
            record += field;
            record += "\r\n";
        }
        put(file.get(), record);
    }
}

std::size_t writePlanFile(const std::string& path, long rows) {
    File file = create(path);
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> coordinate(0, 255), offset(0, 5),
        entry(0, kCatalogueRecords - 1);
    std::size_t size = 0;
    std::string line;
    for (long r = 0; r < rows; ++r) {
        line.clear();
        padded(line, std::to_string(coordinate(random)), 10);
        padded(line, std::to_string(coordinate(random)), 10);
        for (int c = 0; c < 4; ++c) padded(line, std::to_string(offset(random)), 10);
        const int index = entry(random);
        padded(line, planId(index), 15);
        line += planTail(index);
        line += "\r\n";
        put(file.get(), line);
        size += line.size();
    }
    if (std::fflush(file.get()) != 0) throw std::runtime_error("cannot write " + path);
    return size;
}

}  // namespace qrn::bench
