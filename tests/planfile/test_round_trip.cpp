#include <gtest/gtest.h>

#include <random>

#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_writer.h"
#include "tests/support/memory_file_system.h"

namespace qrn {
namespace {

// Any text of printable characters without a space, first..last characters long.
std::u16string randomWord(std::mt19937& rng, int first, int last) {
    static const std::u16string alphabet = u"0123456789-+.,;:_abcXYZéÀ€\t'\"";
    std::uniform_int_distribution<int> length(first, last);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::u16string word;
    for (int n = length(rng); n > 0; --n) word += alphabet[pick(rng)];
    return word;
}

// Rows within the rules under which the reader gives back what the writer wrote: values of 1
// to 9 characters without spaces (X may be empty), identifiers of 1 to 14 characters without
// spaces, unique; plan tails anything.
TEST(RoundTrip, WrittenRowsReadBackToTheSameValues) {
    std::mt19937 rng(20261206);
    for (int trial = 0; trial < 200; ++trial) {
        Catalogue catalogue;
        std::vector<std::array<std::u16string, 7>> records;
        const int entries = std::uniform_int_distribution<int>(1, 30)(rng);
        for (int i = 0; i < entries; ++i) {
            records.push_back({u"-", std::u16string(1, char16_t(u'A' + i)) + randomWord(rng, 0, 13),
                               randomWord(rng, 0, 5) + u" x", u"", u"15", u"",
                               u"Nom " + randomWord(rng, 1, 6)});
        }
        catalogue.assign(records);

        PlacementList written;
        const int rows = std::uniform_int_distribution<int>(0, 20)(rng);
        std::uniform_int_distribution<int> entry(0, entries - 1);
        for (int r = 0; r < rows; ++r) {
            const std::u16string x = randomWord(rng, 0, 9);
            std::array<std::u16string, 5> rest;
            for (auto& cell : rest) cell = randomWord(rng, 1, 9);
            const auto index = std::int16_t(entry(rng));
            written.append(
                PlacementRow(u"", {x, rest[0], rest[1], rest[2], rest[3], rest[4]},
                             r % 2 ? CatalogueIndex::number(index) : CatalogueIndex::text(index)));
        }

        test::MemoryFileSystem files;
        files.files[u"p"] = MakeQRNFile(written, catalogue);
        PlacementList read;
        openQRN(u"p", read, catalogue, files);

        ASSERT_EQ(read.count(), written.count());
        for (int p = 1; p <= read.count(); ++p) {
            const PlacementRow& a = written.row(p);
            const PlacementRow& b = read.row(p);
            for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(a.cell(c), b.cell(c));
            EXPECT_EQ(a.index().value(), b.index().value());
            EXPECT_EQ(b.building(), catalogue.field(b.index().value(), Field::DisplayName));
        }
        // Written again, the list read gives the same text.
        EXPECT_EQ(MakeQRNFile(read, catalogue), files.files[u"p"]);
    }
}

}  // namespace
}  // namespace qrn
