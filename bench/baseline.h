#pragma once

// What the machine does with the same bytes without any of the program's work: the yardsticks
// that the reading and writing benchmarks are measured against.

#include <cstddef>
#include <string>

namespace qrn::bench {

// Reads the file in chunks of the reader's size and finds every LF with memchr. Returns the
// number of line ends.
std::size_t scanLineEnds(const std::string& path);

// Copies bytes into newly allocated memory. Returns a byte of the copy.
char copyBytes(const std::string& bytes);

// Writes bytes to path as the plan saving does to a fresh file: create, write, flush to disk,
// rename over the target.
void writeBytesToFile(const std::string& path, const std::string& bytes);

}  // namespace qrn::bench
