// The three forms of copied rows, each read back by the paste.

#include <gtest/gtest.h>

#include <algorithm>

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "planfile/plan_text.h"
#include "planfile/plan_writer.h"
#include "planfile/row_text_forms.h"
#include "rowjson/pasted_rows.h"
#include "tests/support/failure.h"

namespace qrn {
namespace {

class RowClipboardTest : public ::testing::Test {
protected:
    RowClipboardTest() {
        catalogue.assign({{u"-", u"Alpha", u"101", u"", u"15", u"", u"Maison"},
                          {u"-", u"Beta", u"102", u"", u"14", u"", u"Écurie"}});
    }
    static PlacementRow row(std::u16string_view building, std::u16string_view x,
                            CatalogueIndex index) {
        return PlacementRow(building, {x, u"7", u"0", u"3", u"0", u"-3"}, index);
    }
    Catalogue catalogue;
};

TEST_F(RowClipboardTest, ExactRowsKeepEveryTextAndIndexByteForByte) {
    const PlacementList::Rows rows{
        row(u"Maison", u"12", CatalogueIndex::number(0)),
        row(u"Écurie", u"007", CatalogueIndex::text(1)),
        row(u"Tour\t9", u"a\r\nb\tc\\\"Ω\x01 far too long a value", CatalogueIndex::number(900)),
    };
    const std::u16string copied = copiedExactRows(rows);
    EXPECT_TRUE(std::all_of(copied.begin(), copied.end(),
                            [](char16_t c) { return (c >= 0x20 && c < 0x7F) || c == u'\n'; }));
    const PlacementList::Rows pasted = readPastedRows(copied, catalogue);
    EXPECT_EQ(pasted, rows);
    EXPECT_EQ(copiedExactRows(pasted), copied);

    // The rows `qrnplan read` prints read too: characters as they are, its own escapes.
    const PlacementList::Rows printed = readPastedRows(
        u"{\"index\": 1, \"building\": \"Écurie\", \"cells\": [\"1\\t\",\"\\u00E9\",\"\",\"0\","
        u"\"0\",\"0\"]}\n",
        catalogue);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].building(), u"Écurie");
    EXPECT_EQ(printed[0].cell(Column::X), u"1\t");
    EXPECT_EQ(printed[0].cell(Column::Y), u"é");
}

TEST_F(RowClipboardTest, JsonRowsInAnyKeyOrderAndSpacing) {
    const PlacementRow stable = row(u"Écurie", u"1", CatalogueIndex::number(1));
    const struct {
        std::u16string text;
        PlacementRow row;
    } cases[] = {
        // As `jq -c` prints them: no spaces, and a row without its building takes the
        // catalogue's name.
        {u"{\"index\":1,\"cells\":[\"1\",\"7\",\"0\",\"3\",\"0\",\"-3\"]}", stable},
        {u"{ \"cells\" : [ \"1\", \"7\", \"0\", \"3\", \"0\", \"-3\" ] ,\t\"building\": "
         u"\"Écurie\", \"index\": \"1\", \"other\": null }",
         row(u"Écurie", u"1", CatalogueIndex::text(1))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        EXPECT_EQ(readPastedRows(c.text, catalogue), PlacementList::Rows{c.row});
    }
}

TEST_F(RowClipboardTest, PlanLinesAreTheTextViewsAndReadByThePlanReader) {
    PlacementList list;
    list.append(row(u"Maison", u"12", CatalogueIndex::number(0)));
    list.append(row(u"Écurie", u"-4", CatalogueIndex::number(1)));
    const std::u16string text = MakeQRNFile(list, catalogue);
    const PlacementList::Rows read = readPlanText(text, catalogue);
    EXPECT_EQ(copiedPlanLines(read, catalogue), text);
    EXPECT_EQ(readPastedRows(text, catalogue), read);

    // A value the writer refuses is written whole, unpadded; it reads back as the reader cuts.
    const std::u16string refused =
        copiedPlanLines({row(u"Maison", u"12345678901", CatalogueIndex::number(0))}, catalogue);
    EXPECT_EQ(refused.substr(0, 21),
              u"12345678901"
              u"7         ");
}

TEST_F(RowClipboardTest, TabSeparatedValuesWithOrWithoutTheirHeader) {
    const PlacementList::Rows rows{row(u"Maison", u"12", CatalogueIndex::number(0)),
                                   row(u"Écurie", u"", CatalogueIndex::number(1))};
    const std::u16string copied = copiedTabSeparated(rows);
    EXPECT_EQ(copied, std::u16string(kTabSeparatedHeader) +
                          u"\nMaison\t12\t7\t0\t3\t0\t-3\nÉcurie\t\t7\t0\t3\t0\t-3\n");
    EXPECT_EQ(readPastedRows(copied, catalogue), rows);
    // A spreadsheet's own text: no header, CR LF, names typed any way.
    const PlacementList::Rows typed = readPastedRows(
        u"ECURIE\t\t7\t0\t3\t0\t-3\r\n\r\nmaison\t12\t7\t0\t3\t0\t-3\r\n", catalogue);
    EXPECT_EQ(typed, (PlacementList::Rows{rows[1], rows[0]}));
}

TEST_F(RowClipboardTest, ATextThatDoesNotReadNamesItsFirstBadLine) {
    const struct {
        std::u16string text;
        long line;
    } cases[] = {
        {u"Maison\t1\t2\t3\t4\t5\t6\nTemple\t1\t2\t3\t4\t5\t6\n", 2},
        {u"Maison\t1\t2\t3\t4\t5\t6\n\nMaison\t1\t2\n", 3},
        {copiedExactRows({row(u"Maison", u"1", CatalogueIndex::number(0))}) + u"{\"index\": x\n",
         2},
        {u"not a plan line\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        const Error error = test::failureOf([&] { readPastedRows(c.text, catalogue); });
        EXPECT_EQ(error.line, c.line);
        EXPECT_FALSE(error.reason().empty());
    }
}

}  // namespace
}  // namespace qrn
