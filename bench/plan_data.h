#pragma once

// Catalogues and plans of any size for the benchmarks, written straight to disk line by line,
// so making a plan of a million rows needs no more memory than one line.

#include <cstddef>
#include <string>

namespace qrn::bench {

inline constexpr int kCatalogueRecords = 1001;

// A full catalogue of 1001 seven-line records in Windows-1252 with CR LF: unique plan
// identifiers, the four age codes in turn, every 25th entry listed "L", accented display names.
void writeCatalogueFile(const std::string& path);

// A plan of rows lines in the writer's layout, over entries spread through the whole
// catalogue; the same rows for the same count on every run. Returns the file's size in bytes.
std::size_t writePlanFile(const std::string& path, long rows);

}  // namespace qrn::bench
