#include <gtest/gtest.h>

#include "base/errors.h"
#include "core/catalogue.h"
#include "tests/support/catalogue_text.h"
#include "tests/support/failure.h"
#include "tests/support/memory_file_system.h"

namespace qrn {
namespace {

using test::catalogueText;
using test::record;

class CatalogueTest : public ::testing::Test {
protected:
    void load(const std::u16string& text) {
        files.files[u"QRN.txt"] = text;
        catalogue.load(files, u"QRN.txt");
    }
    std::vector<std::u16string> displayNames() const {
        std::vector<std::u16string> names;
        for (int i = 0; i <= catalogue.count(); ++i) names.push_back(catalogue.field(i, 7));
        return names;
    }

    test::MemoryFileSystem files;
    Catalogue catalogue;
};

TEST_F(CatalogueTest, CommentAndBlankLinesAreSkippedOnlyWhereARecordBegins) {
    const auto plain = catalogueText({record(u"a"), record(u"b"), record(u"c")});
    load(plain);
    const auto expected = displayNames();

    load(u"' a comment\r\n\r\n \r\n" + catalogueText({record(u"a")}) + u"'between\r\n\r\n" +
         catalogueText({record(u"b"), record(u"c")}) + u" \r\n' trailing\r\n");
    EXPECT_EQ(catalogue.count(), 2);
    EXPECT_EQ(displayNames(), expected);

    // Inside a record every line is a field, comment or not; two spaces start a record.
    load(u"L\r\nid\r\n'tail\r\n\r\n15\r\n \r\nName\r\n  \r\nid2\r\nt\r\nu\r\n8\r\nu\r\nTwo\r\n");
    EXPECT_EQ(catalogue.count(), 1);
    EXPECT_EQ(catalogue.field(0, Field::PlanTail), u"'tail");
    EXPECT_EQ(catalogue.field(0, Field::Unused4), u"");
    EXPECT_EQ(catalogue.field(0, Field::Unused6), u" ");
    EXPECT_EQ(catalogue.field(1, Field::ListingMark), u"  ");
    EXPECT_EQ(catalogue.field(1, Field::DisplayName), u"Two");

    load(u"' nothing here\r\n\r\n");
    EXPECT_EQ(catalogue.count(), -1);
}

// A 1002nd record, a file ending inside a record, a missing file: the error names the file and
// the line, and the table, its count and its plan identifiers stay as they were.
TEST_F(CatalogueTest, FillsExactly1001RecordsAndAFailedLoadChangesNothing) {
    std::vector<test::Record> records;
    for (int i = 0; i < 1001; ++i)
        records.push_back(record(u"n" + std::u16string(1, char16_t(u'a' + i % 26))));
    load(catalogueText(records));
    EXPECT_EQ(catalogue.count(), 1000);

    load(catalogueText({record(u"small")}));
    records.push_back(record(u"extra"));
    files.files[u"big.txt"] = catalogueText(records);
    files.files[u"cut.txt"] = catalogueText({record(u"x")}) + u"L\r\nid\r\n";
    for (const auto& [name, kind, line] : {std::tuple{u"big.txt", Error::Kind::Index, 1002 * 7 - 6},
                                           {u"cut.txt", Error::Kind::InvalidArgument, 9},
                                           {u"missing.txt", Error::Kind::File, 0}}) {
        const std::u16string file = name;
        const Error error = test::failureOf([&] { catalogue.load(files, file); });
        EXPECT_EQ(error.kind(), kind);
        EXPECT_EQ(error.file, file);
        EXPECT_EQ(error.line, line);
        EXPECT_EQ(displayNames(), std::vector<std::u16string>{u"Name small"});
        EXPECT_EQ(catalogue.findPlanId(u"ID_na"), std::nullopt);
        EXPECT_EQ(catalogue.findPlanId(u"ID_x"), std::nullopt);
        EXPECT_EQ(catalogue.findPlanId(u"ID_small"), 0);
    }
}

TEST_F(CatalogueTest, PlanIdLookupGivesTheLowestIndexWithinTheCountAndComparesExactly) {
    EXPECT_EQ(catalogue.count(), 0);  // a new table, and positions outside it
    EXPECT_EQ(catalogue.field(1000, 7), u"");
    for (auto [index, field] : {std::pair{-1, 1}, {1001, 1}, {0, 0}, {0, 8}})
        EXPECT_THROW(catalogue.field(index, field), IndexError) << index << " " << field;

    load(catalogueText({record(u"a"), record(u"dup"), record(u"b"), record(u"dup")}));
    EXPECT_EQ(catalogue.findPlanId(u"ID_dup"), 1);
    EXPECT_EQ(catalogue.findPlanId(u"ID_b"), 2);
    EXPECT_EQ(catalogue.findPlanId(u"id_b"), std::nullopt);
    EXPECT_EQ(catalogue.findPlanId(u"ID_b "), std::nullopt);
    // Entries above a new count keep what they held, but they are never consulted.
    load(catalogueText({record(u"z")}));
    EXPECT_EQ(catalogue.count(), 0);
    EXPECT_EQ(catalogue.field(2, Field::DisplayName), u"Name b");
    EXPECT_EQ(catalogue.findPlanId(u"ID_b"), std::nullopt);
}

}  // namespace
}  // namespace qrn
