#include <gtest/gtest.h>

#include <tuple>

#include "base/text.h"
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

// A typed text takes the entry the user sees: the exact name, the only name holding it, or
// the name it folds to among several; the row gets the entry's own name.
TEST_F(CommandsTest, ATypedPickerTextUsesTheEntryItNamesOrNothing) {
    input.picker.add(u"Marché", 12);
    input.picker.add(u"Marché aux puces", 13);
    input.picker.add(u"Écurie", 14);
    for (auto [typed, index, name] : {std::tuple{u"Grenier", 4, u"Grenier"},
                                      {u"GRENIER", 4, u"Grenier"},
                                      {u"ecur", 14, u"Écurie"},
                                      {u"marche", 12, u"Marché"},
                                      {u"MARCHE\u0301", 12, u"Marché"}}) {
        list.clear();
        input.picker.setText(typed);
        Ajouter(list, input);
        ASSERT_EQ(list.count(), 1) << toUtf8(typed);
        EXPECT_EQ(list.row(1).index().value(), index);
        EXPECT_EQ(list.row(1).building(), name);
    }
    EXPECT_EQ(input.picker.chosenEntry(4), 4);   // the highlighted entry wins
    EXPECT_EQ(input.picker.chosenEntry(99), 3);  // an invalid one is ignored

    list.clear();
    for (const char16_t* typed : {u"", u"march", u"Grenierx", u"r"}) {
        input.picker.setText(typed);
        EXPECT_EQ(input.picker.chosenEntry(std::nullopt), std::nullopt) << toUtf8(typed);
        Ajouter(list, input);
        Inserer(list, input);
        MoveDown(list, input);
    }
    EXPECT_EQ(list.count(), 0);
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
