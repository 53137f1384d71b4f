#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"
#include "tests/support/catalogue_text.h"
#include "tests/support/failure.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/rows.h"

namespace qrn {
namespace {

using test::record;

TEST(Delnextspaces, DropsTheFirstTokenAndTheSpacesAfterIt) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"12   7 x", u"7 x"}, {u"  7", u"7"}, {u"abc", u"abc"}, {u"a\tb c", u"c"},
        {u"a ", u""},          {u"", u""},     {u" ", u""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(delnextspaces(in), out);
}

class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() { catalogue.assign({record(u"a"), record(u"b"), record(u"dup"), record(u"dup")}); }
    void read(const std::u16string& text) {
        files.files[u"plan.qrn"] = text;
        openQRN(u"plan.qrn", list, catalogue, files);
    }
    // The line number of the failure, after checking that it names the file.
    long failingLine(const std::u16string& text) {
        const Error error = test::failureOf([&] { read(text); });
        EXPECT_EQ(error.file, u"plan.qrn");
        return error.line;
    }

    Catalogue catalogue;
    test::MemoryFileSystem files;
    PlacementList list;
};

TEST_F(ReaderTest, SplitsTokensAtSpacesOnly) {
    read(
        u"1 2 3 4 5 6 ID_a tail\r\n"
        u"1   2  3 4 5 6     ID_b   \n"
        u"   y 3 4 5 6 ID_a \r"
        u"1\t2 3 4 5 6 7 ID_b x");
    ASSERT_EQ(list.count(), 4);
    const PlacementRow& first = list.row(1);
    EXPECT_EQ(first.building(), u"Name a");
    EXPECT_EQ(first.index(), CatalogueIndex::text(0));
    EXPECT_EQ(first.cell(Column::O), u"6");
    EXPECT_EQ(list.row(2).index(), CatalogueIndex::text(1));
    EXPECT_EQ(list.row(3).cell(Column::X), u"");
    EXPECT_EQ(list.row(3).cell(Column::Y), u"y");
    EXPECT_EQ(list.row(4).cell(Column::X), u"1\t2");
    EXPECT_EQ(list.selected(), std::nullopt);
}

TEST_F(ReaderTest, ABadLineKeepsTheRowsBeforeIt) {
    const std::u16string good = u"1 2 3 4 5 6 ID_a \r\n";
    for (const std::u16string bad : {u"", u"1 2 3 4 5 6 ID_a", u"1 2 3 4 5 ID_a ",
                                     u"1 2 3 4 5 6 id_a ", u"1 2 3 4 5 6 ID_zz "}) {
        list.assign({});
        EXPECT_EQ(failingLine(good + good + bad + u"\r\n" + good), 3) << toUtf8(bad);
        EXPECT_EQ(list.count(), 2);
    }
    // A file that ends with an empty line fails there, after every row above it.
    EXPECT_EQ(failingLine(good + u"\r\n"), 2);
    EXPECT_EQ(list.count(), 1);
}

TEST_F(ReaderTest, ReplacesTheListAndResolvesSharedIdentifiersToTheLowestEntry) {
    read(u"1 2 3 4 5 6 ID_dup \r\n");
    read(u"1 2 3 4 5 6 ID_dup \r\n7 2 3 4 5 6 ID_b \r\n");
    ASSERT_EQ(test::xs(list), u"17");
    EXPECT_EQ(list.row(1).index(), CatalogueIndex::text(2));
    EXPECT_THROW(openQRN(u"missing.qrn", list, catalogue, files), FileError);
    EXPECT_EQ(list.count(), 2);  // a file that cannot be opened leaves the list
    read(u"");
    EXPECT_EQ(list.count(), 0);
}

}  // namespace
}  // namespace qrn
