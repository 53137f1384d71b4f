// The JSON rows of `qrnplan write` and of the paste: any bytes make a row or a qrn::Error that says
// why, never a crash or another exception. A line that made a row makes the same row again, and a
// row the command writes without --force reads back as the same row.

#include <algorithm>
#include <array>

#include "base/codepage.h"
#include "base/errors.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "fuzz/fuzz_support.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_save.h"
#include "planfile/read_back.h"
#include "rowjson/json_row_reader.h"
#include "tests/support/memory_file_system.h"

using namespace qrn;

namespace {

// Entries 0 and 3 share "Mur", 1 and 4 share "Tour"; entry 5 has a plan identifier with a
// space, entry 6 one of 15 characters with no plan tail.
const Catalogue& catalogue() {
    static const Catalogue fixed = [] {
        const std::u16string ids[] = {
            u"Mur", u"Tour", u"A", u"Mur", u"Tour", u"B C", u"ABCDEFGHIJKLMNO", u"é€"};
        std::vector<std::array<std::u16string, 7>> records;
        for (const auto& id : ids)
            records.push_back(
                {u"-", id, id.size() == 15 ? u"" : u"1 2", u"", u"15", u"", u"Nom " + id});
        Catalogue made;
        made.assign(records);
        return made;
    }();
    return fixed;
}

// What `qrnplan write` takes without --force: an entry of the catalogue, values the writer
// and Windows-1252 take, and a row that reads back.
bool written(const PlanRowView& row) {
    if (row.index < 0 || row.index > catalogue().count()) return false;
    try {
        checkWritable(row, 1, catalogue());
        checkEncodable(row.cells, 1);
    } catch (const Error&) {
        return false;
    }
    return readsBack(row, catalogue());
}

// The row written as a plan file, then opened again.
void checkReadBack(const PlanRowView& row) {
    PlacementList list;
    list.append(PlacementRow(u"", row.cells, CatalogueIndex::number(std::int16_t(row.index))));
    test::MemoryFileSystem files;
    files.files[u"plan.qrn"] = decodeWindows1252(encodeWindows1252(MakeQRNFile(list, catalogue())));
    PlacementList again;
    openQRN(u"plan.qrn", again, catalogue(), files);
    QRN_FUZZ_CHECK(again.count() == 1);
    QRN_FUZZ_CHECK(again.row(1).index().value() == row.index);
    for (int c = 0; c < kCellCount; ++c)
        QRN_FUZZ_CHECK(again.row(1).cell(c) == row.cells[std::size_t(c)]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static JsonRowReader parser;  // reused, as the command reuses it from line to line
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (true) {
        const std::size_t lf = rest.find('\n');
        const std::string_view line = rest.substr(0, lf);
        try {
            const JsonRow row = parser.read(line);
            std::array<std::u16string, kCellCount> cells;
            std::copy(row.cells.begin(), row.cells.end(), cells.begin());
            const PlanRowView view{{cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]},
                                   row.index.value()};
            if (written(view)) checkReadBack(view);
            const JsonRow again = parser.read(line);
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
