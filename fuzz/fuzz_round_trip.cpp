// The writer on random rows over a random catalogue: MakeQRNFile fails exactly when a value does
// not fit its width, a cell holds a line break or an index lies outside the table, naming the
// first such row and column. (Read-back of what it writes: tests/planfile/test_round_trip.cpp.)

#include <algorithm>
#include <optional>
#include <vector>

#include "base/errors.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "fuzz/fuzz_support.h"
#include "planfile/plan_writer.h"

using namespace qrn;

namespace {

// Digits and letters most of the time, then the characters that break the rules.
constexpr std::u16string_view kAlphabet = u"0123456789-AZaz.é€ \t\r\nĀ";

std::u16string word(fuzz::InputReader& in, unsigned maxLength) {
    std::u16string text;
    for (unsigned n = in.upTo(maxLength); n > 0; --n) {
        const unsigned pick = in.byte();
        text += pick < 200 ? kAlphabet[pick % 14] : kAlphabet[14 + pick % (kAlphabet.size() - 14)];
    }
    return text;
}

bool holdsAny(std::u16string_view text, std::u16string_view chars) {
    return text.find_first_of(chars) != text.npos;
}

struct ExpectedFailure {
    long row;
    std::u16string column;
};

// The first row and column the writer must stop at, if any.
std::optional<ExpectedFailure> writerFailure(const PlacementList& list,
                                             const Catalogue& catalogue) {
    for (int p = 1; p <= list.count(); ++p) {
        const PlacementRow& row = list.row(p);
        for (int c = 0; c < kCellCount; ++c) {
            if (row.cell(c).size() > 10 || holdsAny(row.cell(c), u"\r\n"))
                return ExpectedFailure{p, std::u16string(columnName(Column(c)))};
        }
        const int index = row.index().value();
        if (index < 0 || index > Catalogue::kMaxIndex) return ExpectedFailure{p, u""};
        const std::u16string& id = catalogue.field(index, Field::PlanId);
        if (id.size() > 15 || holdsAny(id, u"\r\n"))
            return ExpectedFailure{p, u"identifiant de plan"};
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    // A plan tail comes from one line of the catalogue file: it holds no line break.
    std::vector<std::array<std::u16string, 7>> records(1 + in.upTo(7));
    for (auto& record : records) {
        std::u16string tail = word(in, 5);
        std::replace_if(
            tail.begin(), tail.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u'_');
        record = {u"-", word(in, 16), tail, u"", u"15", u"", u"Nom"};
    }
    // One table for every run (a fresh one costs more than a run); the entries that rows may
    // name beyond the records are emptied first.
    static Catalogue catalogue;
    catalogue.assign(std::vector<std::array<std::u16string, 7>>(11));
    catalogue.assign(records);

    PlacementList list;
    for (unsigned rows = in.upTo(12); rows > 0; --rows) {
        std::array<std::u16string, 6> cells;
        for (auto& cell : cells) cell = word(in, 11);
        // Now and then an index outside the catalogue or outside the table.
        const unsigned pick = in.byte();
        const auto index = std::int16_t(pick < 240   ? pick % records.size()
                                        : pick < 250 ? int(records.size()) + pick % 3
                                                     : 1000 - 1002 * (pick % 2));
        list.append(
            PlacementRow(u"b", {cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]},
                         pick & 1 ? CatalogueIndex::number(index) : CatalogueIndex::text(index)));
    }

    const std::optional<ExpectedFailure> expected = writerFailure(list, catalogue);
    try {
        MakeQRNFile(list, catalogue);
        QRN_FUZZ_CHECK(!expected);
    } catch (const Error& error) {
        QRN_FUZZ_CHECK(expected && error.row == expected->row && error.column == expected->column);
    }
    return 0;
}
