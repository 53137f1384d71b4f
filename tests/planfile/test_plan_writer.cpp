#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_save.h"
#include "planfile/plan_writer.h"
#include "planfile/read_back.h"
#include "tests/support/failure.h"

namespace qrn {
namespace {

using Cells = std::array<std::u16string_view, 6>;

class WriterTest : public ::testing::Test {
protected:
    WriterTest() {
        catalogue.assign({{u"-", u"Alpha", u"101", u"", u"15", u"", u"Maison"},
                          {u"-", u"BetaGamma", u"102", u"", u"14", u"", u"Tour"},
                          {u"-", u"ExactlyFifteen!", u"", u"", u"8", u"", u"Mur"},
                          {u"-", u"SixteenCharacter", u"t", u"", u"8", u"", u"Porte"},
                          {u"-", u"Alpha", u"103", u"", u"8", u"", u"Autre maison"},
                          {u"-", u"a b", u"c d", u"", u"8", u"", u"Espace"}});
    }
    void add(Cells cells, CatalogueIndex index) {
        list.append(PlacementRow(u"ignored", cells, index));
    }

    Catalogue catalogue;
    PlacementList list;
};

TEST_F(WriterTest, PadsEachFieldToItsWidth) {
    EXPECT_EQ(MakeQRNFile(list, catalogue), u"");
    add({u"12", u"7", u"0", u"3", u"0", u"3"}, CatalogueIndex::number(0));
    add({u"40", u"25", u"2", u"0", u"1", u"0"}, CatalogueIndex::text(1));
    add({u"1234567890", u"", u"a b", u"0", u"0", u"0"}, CatalogueIndex::number(2));
    add({u"1", u"1", u"1", u"1", u"1", u"1"}, CatalogueIndex::number(9));  // an empty entry
    EXPECT_EQ(MakeQRNFile(list, catalogue),
              u"12        7         0         3         0         3         Alpha          101\r\n"
              u"40        25        2         0         1         0         BetaGamma      102\r\n"
              u"1234567890          a b       0         0         0         ExactlyFifteen!\r\n"
              u"1         1         1         1         1         1                        \r\n");
}

// Each failure names the row and the column; the message quotes the offending text.
TEST_F(WriterTest, FailuresNameTheRowTheColumnAndTheText) {
    using K = Error::Kind;
    using I = CatalogueIndex;
    const std::u16string_view eleven = u"12345678901";
    const Cells good = {u"1", u"2", u"3", u"4", u"5", u"6"};
    const struct {
        Cells cells;
        CatalogueIndex index;
        std::u16string column;
        K kind;
    } cases[] = {
        {{u"1", u"2", u"3", u"4", u"5", eleven}, I::number(0), u"O", K::InvalidArgument},
        {{eleven, u"", u"", u"", u"", eleven}, I::number(0), u"X", K::InvalidArgument},
        {good, I::number(3), u"identifiant de plan", K::InvalidArgument},
        {good, I::number(1001), u"", K::Index},
        {good, I::parse(u"-1"), u"", K::Index},
    };
    for (const auto& c : cases) {
        list.clear();
        add(good, CatalogueIndex::number(0));
        add(c.cells, c.index);
        add(c.cells, c.index);  // the first bad row is named
        const Error error = test::failureOf([&] { MakeQRNFile(list, catalogue); });
        EXPECT_EQ(error.kind(), c.kind);
        EXPECT_EQ(error.row, 2);
        EXPECT_EQ(error.column, c.column);
        if (c.column == u"X") {
            EXPECT_EQ(error.message(),
                      u"ligne 2 du plan, colonne X : « 12345678901 » compte "
                      u"11 caractères, 10 au plus");
        }
    }
}

// A value is refused by the save exactly when cellRefusal refuses it, for its reason.
TEST_F(WriterTest, CellRefusalIsTheSavesRule) {
    using Fault = CellRefusal::Fault;
    const std::pair<std::u16string_view, std::optional<Fault>> cases[] = {
        {u"1234567890", std::nullopt},    {u"€éŸ ", std::nullopt},
        {u"12345678901", Fault::TooLong}, {u"1\r", Fault::LineBreak},
        {u"a\nb", Fault::LineBreak},      {u"Ω", Fault::Charset},
        {u"\U0001F600", Fault::Charset},
    };
    for (const auto& [value, fault] : cases) {
        const std::optional<CellRefusal> refusal = cellRefusal(value);
        ASSERT_EQ(refusal ? std::optional(refusal->fault) : std::nullopt, fault);
        list.clear();
        add({u"1", u"2", value, u"4", u"5", u"6"}, CatalogueIndex::number(0));
        std::u16string reason;
        try {
            MakeQRNFile(list, catalogue);
            checkEncodable(list);
        } catch (const Error& e) {
            reason = e.reason();
            EXPECT_EQ(e.column, u"N");
        }
        EXPECT_EQ(reason, refusal ? refusal->reason : u"");
    }
}

// A row reads back when the reader, splitting the line the writer makes for it, gives its cells
// and its entry again; each value that would not is named with its column, in column order.
TEST_F(WriterTest, RowsThatDoNotReadBackAreNamedByColumn) {
    const std::u16string_view ten = u"1234567890";
    const struct {
        Cells cells;
        int index;
        std::vector<std::pair<std::u16string, std::u16string>> problems;  // column, a word of why
    } cases[] = {
        {{u"12", u"7", u"0", u"3", u"0", u"3"}, 0, {}},
        {{u"", u"7", u"1\t2", u"3", u"0", ten}, 1, {{u"O", u"toucherait"}}},  // X may be empty
        {{u"1", u"2", u"3", u"4", u"5", u""}, 1, {{u"O", u"vide"}}},
        {{ten, u"7", u"6 7", u"3", u" 5", u"3"},
         0,
         {{u"X", u"toucherait"}, {u"N", u"espace"}, {u"E", u"espace"}}},
        // A value of 10 characters before an empty one is read back, until the gap is filled.
        {{ten, u"", u"0", u"3", u"0", u"3"}, 0, {{u"X", u"toucherait"}, {u"Y", u"vide"}}},
        {{u"12345678901", u"", u"0", u"3", u"0", u"3"}, 0, {{u"Y", u"vide"}}},  // over 10: refused
        {{u"1", u"2", u"3", u"4", u"5", u"6"}, 2, {{u"identifiant de plan", u"15 caractères"}}},
        {{u"1", u"2", u"3", u"4", u"5", u"6"}, 4, {{u"identifiant de plan", u"l'entrée 0"}}},
        {{u"1", u"2", u"3", u"4", u"5", u"6"}, 5, {{u"identifiant de plan", u"espace"}}},
        {{u"1", u"2", u"3", u"4", u"5", u"6"}, 9, {{u"identifiant de plan", u"entrée 9"}}},
        {{u"", u"", u"", u"", u"", u""}, 3, {}},  // the writer refuses the entry
        {{u"", u"", u"", u"", u"", u""}, 1001, {}},
    };
    std::vector<long> expectedPositions;
    for (const auto& c : cases) {
        const PlanRowView row{c.cells, c.index};
        const std::vector<ReadBackProblem> problems = readBackProblems(row, catalogue);
        ASSERT_EQ(problems.size(), c.problems.size()) << c.index;
        for (std::size_t i = 0; i < problems.size(); ++i) {
            EXPECT_EQ(problems[i].name, c.problems[i].first);
            EXPECT_NE(problems[i].reason.find(c.problems[i].second), std::u16string::npos)
                << toUtf8(problems[i].reason);
        }
        EXPECT_EQ(readsBack(row, catalogue), c.problems.empty()) << c.index;
        list.append(PlacementRow(u"", c.cells, CatalogueIndex::number(std::int16_t(c.index))));
        if (!c.problems.empty()) expectedPositions.push_back(list.count());
    }
    EXPECT_EQ(rowsNotReadBack(list, catalogue), expectedPositions);
}

}  // namespace
}  // namespace qrn
