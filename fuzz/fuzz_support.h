#pragma once

// What the fuzz targets share: the entry point they define, and a check that stops the run with
// a message when a property does not hold.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace qrn::fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

// Unlike assert, stays on in release builds: the regression runs use RelWithDebInfo.
#define QRN_FUZZ_CHECK(condition) \
    ((condition) ? void(0) : ::qrn::fuzz::fail(__FILE__, __LINE__, #condition))

}  // namespace qrn::fuzz
