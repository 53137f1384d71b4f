// The input lines of `qrnplan write`: any bytes make a row or a qrn::Error that says why, never
// a crash or another exception. A row that comes out holds six texts, and a line that made a
// row makes the same row again.

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
            const PlacementRow row = parser.parse(line);
            QRN_FUZZ_CHECK(row.building().empty());
            QRN_FUZZ_CHECK(parser.parse(line) == row);
        } catch (const Error& error) {
            QRN_FUZZ_CHECK(!error.reason().empty());
        }
        if (lf == rest.npos) break;
        rest.remove_prefix(lf + 1);
    }
    return 0;
}
