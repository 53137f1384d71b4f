// The input lines of `qrnplan write`: any bytes make a row or a qrn::Error that says why, never
// a crash or another exception. A line that made a row makes the same row again.

#include <algorithm>
#include <array>

#include "base/errors.h"
#include "cli/write_rows.h"
#include "fuzz/fuzz_support.h"

using namespace qrn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static cli::RowParser parser;  // reused, as the command reuses it from line to line
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (true) {
        const std::size_t lf = rest.find('\n');
        const std::string_view line = rest.substr(0, lf);
        try {
            const cli::ParsedRow row = parser.parse(line);
            std::array<std::u16string, kCellCount> cells;
            std::copy(row.cells.begin(), row.cells.end(), cells.begin());
            const cli::ParsedRow again = parser.parse(line);
            QRN_FUZZ_CHECK(again.index == row.index);
            QRN_FUZZ_CHECK(std::equal(cells.begin(), cells.end(), again.cells.begin()));
        } catch (const Error& error) {
            QRN_FUZZ_CHECK(!error.reason().empty());
        }
        if (lf == rest.npos) break;
        rest.remove_prefix(lf + 1);
    }
    return 0;
}
