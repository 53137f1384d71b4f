#pragma once

// What the fuzz targets share: the entry point they define, a check that stops the run with a
// message when a property does not hold, and a reader that takes typed values from the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace qrn::fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

// Unlike assert, stays on in release builds: the regression runs use RelWithDebInfo.
#define QRN_FUZZ_CHECK(condition) \
    ((condition) ? void(0) : ::qrn::fuzz::fail(__FILE__, __LINE__, #condition))

// Takes values from the front of the input; once it is used up every value is 0 or empty, so
// any input, however short, makes a case.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return size_ == 0; }
    std::uint8_t byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }
    // A number from 0 to max.
    unsigned upTo(unsigned max) { return max == 0 ? 0 : byte() % (max + 1); }
    char16_t unit() { return char16_t(byte() | (byte() << 8)); }
    // Everything that is left.
    std::string_view rest() {
        std::string_view all(reinterpret_cast<const char*>(data_), size_);
        data_ += size_;
        size_ = 0;
        return all;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace qrn::fuzz
