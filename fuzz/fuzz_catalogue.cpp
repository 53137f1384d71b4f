// The catalogue loader on any bytes: a failed load must leave the table and the count exactly as
// they were; a successful one overwrites entries 0 to the count, keeps those above it, and finds
// each plan identifier at its lowest entry.

#include <algorithm>
#include <vector>

#include "base/codepage.h"
#include "base/errors.h"
#include "core/catalogue.h"
#include "fuzz/fuzz_support.h"
#include "tests/support/memory_file_system.h"

using namespace qrn;

namespace {

// Entries 0 to last (the only ones a load of that many lines can write), field by field.
std::vector<std::u16string> fields(const Catalogue& catalogue, int first, int last) {
    std::vector<std::u16string> all;
    for (int i = first; i <= last; ++i)
        for (int f = 1; f <= 7; ++f) all.push_back(catalogue.field(i, f));
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::MemoryFileSystem memory;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    memory.files[u"QRN.txt"] = decodeWindows1252(bytes);
    const long long lines = std::count(bytes.begin(), bytes.end(), '\n') +
                       std::count(bytes.begin(), bytes.end(), '\r') + 1;

    // Three records of its own over whatever the earlier inputs left above them: the table is
    // made once, as a fresh table of 1001 entries costs more than a run.
    static Catalogue catalogue;
    std::vector<std::array<std::u16string, 7>> records(3);
    for (std::size_t i = 0; i < records.size(); ++i)
        for (std::size_t f = 0; f < 7; ++f)
            records[i][f] = u"avant " + std::u16string(1, char16_t(u'0' + i * 7 + f));
    catalogue.assign(records);
    const int last = int(std::min<long long>(Catalogue::kMaxIndex, std::max(2LL, lines)));
    const auto count = catalogue.count();
    const auto before = fields(catalogue, 0, last);
    try {
        catalogue.load(memory, u"QRN.txt");
    } catch (const Error& error) {
        QRN_FUZZ_CHECK(error.file == u"QRN.txt" && error.line > 0);
        QRN_FUZZ_CHECK(catalogue.count() == count && fields(catalogue, 0, last) == before);
        return 0;
    }
    QRN_FUZZ_CHECK(catalogue.count() >= -1 && catalogue.count() <= Catalogue::kMaxIndex);
    for (int i = 0; i <= catalogue.count(); ++i) {
        const std::u16string& mark = catalogue.field(i, Field::ListingMark);
        QRN_FUZZ_CHECK(!mark.empty() && mark != u" " && mark[0] != u'\'');
        // The lowest entry with a plan identifier is the one found by it.
        const auto found = catalogue.findPlanId(catalogue.field(i, Field::PlanId));
        QRN_FUZZ_CHECK(found && *found <= i &&
                       catalogue.field(*found, Field::PlanId) == catalogue.field(i, Field::PlanId));
    }
    const auto kept = std::vector(before.begin() + 7 * (catalogue.count() + 1), before.end());
    QRN_FUZZ_CHECK(fields(catalogue, catalogue.count() + 1, last) == kept);
    return 0;
}
