#include <gtest/gtest.h>

#include "core/commands.h"
#include "core/input_area.h"
#include "core/placement_list.h"
#include "tests/support/rows.h"

namespace qrn {
namespace {

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() {
        for (auto [name, index] : {std::pair{u"Hutte", 0}, {u"Grenier", 4}, {u"Tour", 9}})
            input.picker.add(name, index);
        input.picker.select(0);
    }
    // Rows named by their X cell: "P", "Q", "R".
    void rows(std::u16string names, std::optional<int> selected = std::nullopt) {
        for (char16_t c : names) {
            input.fields[0] = std::u16string(1, c);
            Ajouter(list, input);
        }
        if (selected) list.select(*selected);
    }
    std::u16string xs() const { return test::xs(list); }

    InputArea input;
    PlacementList list;
};

TEST_F(CommandsTest, AjouterCopiesTheInputAreaUnchecked) {
    input.picker.select(2);
    input.fields = {u"ab", u"7", u"", u"3", u" ", u"x y"};
    Ajouter(list, input);
    Ajouter(list, input);
    ASSERT_EQ(list.count(), 2);
    const PlacementRow& r = list.row(2);
    EXPECT_EQ(r.building(), u"Tour");
    EXPECT_EQ(r.index(), CatalogueIndex::number(9));
    for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(r.cell(c), input.fields[std::size_t(c)]);
}

TEST_F(CommandsTest, ATypedPickerTextUsesTheEntryOfThatNameOrNothing) {
    input.picker.setText(u"Grenier");
    Ajouter(list, input);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.row(1).index().value(), 4);

    input.picker.setText(u"grenier");
    Ajouter(list, input);
    list.select(1);
    Inserer(list, input);
    MoveDown(list, input);
    EXPECT_EQ(list.count(), 1);
}

// Inserer takes the selected row's place; the moves exchange neighbours, the moved row selected.
TEST_F(CommandsTest, InsertAndMovesKeepTheirRowSelected) {
    struct Case {
        void (*command)(PlacementList&, const InputArea&);
        int selected;
        std::u16string after;
        int selectedAfter;
    };
    for (const Case& c :
         {Case{Inserer, 1, u"nPQR", 2}, Case{Inserer, 3, u"PQnR", 4}, Case{MoveUp, 2, u"QPR", 1},
          Case{MoveDown, 2, u"PRQ", 3}, Case{MoveUp, 1, u"PQR", 1}, Case{MoveDown, 3, u"PQR", 3}}) {
        list.clear();
        rows(u"PQR", c.selected);
        input.fields[0] = u"n";
        c.command(list, input);
        EXPECT_EQ(xs(), c.after);
        EXPECT_EQ(list.selected(), c.selectedAfter);
    }
}

TEST_F(CommandsTest, MovesKeepHowTheIndexWasStored) {
    list.append(PlacementRow(u"Tour", {u"1", u"", u"", u"", u"", u""}, CatalogueIndex::text(9)));
    rows(u"Q", 1);
    MoveDown(list, input);
    MoveUp(list, input);
    MoveDown(list, input);
    EXPECT_EQ(list.row(2).index(), CatalogueIndex::text(9));
    EXPECT_EQ(list.row(1).index(), CatalogueIndex::number(0));
}

TEST_F(CommandsTest, EmptyListAndMissingSelection) {
    Supprimer(list);
    EXPECT_EQ(list.count(), 0);
    for (auto command : {MoveUp, MoveDown, Inserer}) {
        list.clear();
        command(list, input);  // on an empty list: Ajouter
        ASSERT_EQ(list.count(), 1);
        EXPECT_EQ(list.row(1).building(), u"Hutte");
    }
    rows(u"PQ");
    for (auto command : {MoveUp, MoveDown, Inserer}) command(list, input);
    Supprimer(list);
    EXPECT_EQ(xs(), u"0PQ");  // nothing selected: nothing happens

    list.select(2);
    Supprimer(list);
    EXPECT_EQ(xs(), u"0Q");
    EXPECT_EQ(list.selected(), std::nullopt);
}

}  // namespace
}  // namespace qrn
