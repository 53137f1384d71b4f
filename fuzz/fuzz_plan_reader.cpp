// openQRN on any plan bytes, over a catalogue taken from the input when it holds one
// (catalogue bytes, then a line "====", then the plan) or a fixed one with shared identifiers
// otherwise. The list ends holding one row a line read; on a bad line the rows before it and
// the error names that line; every row names the lowest entry with its plan identifier and
// shows that entry's display name; the list read, written again, reads back the same.

#include <vector>

#include "base/codepage.h"
#include "base/errors.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "fuzz/fuzz_support.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_writer.h"
#include "planfile/read_back.h"
#include "tests/support/memory_file_system.h"

using namespace qrn;

namespace {

// Made once: a fresh table of 1001 entries costs more than a run. Entries 0 and 3 share "Mur",
// 1 and 4 share "Tour"; entry 5 has a plan identifier with a space, which no token can match;
// entry 6 an identifier of 15 characters.
const Catalogue& fixedCatalogue() {
    static const Catalogue fixed = [] {
        const std::u16string ids[] = {
            u"Mur", u"Tour", u"A", u"Mur", u"Tour", u"B C", u"ABCDEFGHIJKLMNO", u"é€"};
        std::vector<std::array<std::u16string, 7>> records;
        for (const auto& id : ids)
            records.push_back({u"-", id, u"1 2", u"", u"15", u"", u"Nom " + id});
        Catalogue catalogue;
        catalogue.assign(records);
        return catalogue;
    }();
    return fixed;
}

// The catalogue of the input, or the fixed one when it does not load. One table serves every
// run: a load overwrites entries 0 to its count, and nothing looks above the count.
const Catalogue& catalogueFor(test::MemoryFileSystem& files, std::string_view catalogueBytes) {
    static Catalogue loaded;
    files.files[u"QRN.txt"] = decodeWindows1252(catalogueBytes);
    try {
        loaded.load(files, u"QRN.txt");
        return loaded;
    } catch (const Error&) {
        return fixedCatalogue();
    }
}

// Every row is one the writer takes and that reads back by the one rule.
bool readsBack(const PlacementList& list, const Catalogue& catalogue) {
    for (int p = 1; p <= list.count(); ++p) {
        const PlanRowView row = planRowView(list.row(p));
        try {
            checkWritable(row, p, catalogue);
        } catch (const Error&) {
            return false;
        }
        if (!readsBack(row, catalogue)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    test::MemoryFileSystem files;
    const std::size_t split = input.find("\n====\n");
    const Catalogue& catalogue =
        split == input.npos ? fixedCatalogue() : catalogueFor(files, input.substr(0, split));
    if (split != input.npos) input.remove_prefix(split + 6);
    const std::u16string plan = decodeWindows1252(input);
    files.files[u"plan.qrn"] = plan;

    std::size_t lines = 0;
    for (auto stream = files.OpenTextFile(u"plan.qrn"); !stream->AtEndOfStream(); ++lines)
        stream->ReadLine();

    PlacementList list;
    list.append(
        PlacementRow(u"earlier", {u"1", u"2", u"3", u"4", u"5", u"6"}, CatalogueIndex::number(0)));
    list.select(1);
    try {
        openQRN(u"plan.qrn", list, catalogue, files);
        QRN_FUZZ_CHECK(std::size_t(list.count()) == lines);
    } catch (const Error& error) {
        QRN_FUZZ_CHECK(error.kind() == Error::Kind::InvalidArgument);
        QRN_FUZZ_CHECK(error.file == u"plan.qrn");
        QRN_FUZZ_CHECK(error.line == list.count() + 1 && std::size_t(error.line) <= lines);
    }
    QRN_FUZZ_CHECK(!list.selected());

    for (int p = 1; p <= list.count(); ++p) {
        const PlacementRow& row = list.row(p);
        const int index = row.index().value();
        QRN_FUZZ_CHECK(row.index().isText() && index >= 0 && index <= catalogue.count());
        QRN_FUZZ_CHECK(catalogue.findPlanId(catalogue.field(index, Field::PlanId)) == index);
        QRN_FUZZ_CHECK(row.building() == catalogue.field(index, Field::DisplayName));
        for (int c = 0; c < kCellCount; ++c) {
            const std::u16string_view cell = row.cell(c);
            QRN_FUZZ_CHECK(cell.find_first_of(u" \r\n") == cell.npos);
            QRN_FUZZ_CHECK(c == 0 || !cell.empty());
        }
    }

    // What was read, written again, reads back the same whenever every row reads back by the
    // one rule.
    if (!readsBack(list, catalogue)) return 0;
    files.files[u"again.qrn"] = MakeQRNFile(list, catalogue);
    PlacementList again;
    openQRN(u"again.qrn", again, catalogue, files);
    QRN_FUZZ_CHECK(again.count() == list.count());
    for (int p = 1; p <= list.count(); ++p) QRN_FUZZ_CHECK(again.row(p) == list.row(p));
    return 0;
}
