// Every operation a window offers on the document: the step it leaves in the history, what undo
// and redo of it restore, and which steps join the one before them.

#include <gtest/gtest.h>

#include <QUndoStack>
#include <functional>

#include "core/input_area.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "tests/support/rows.h"

namespace qrn::test {
namespace {

struct OperationCase {
    const char* what;
    std::function<void(PlanDocument&, const InputArea&)> operation;
    const char16_t* step;
    std::u16string rowsAfter;  // the X cells
    std::optional<int> selectedAfter;
    friend void PrintTo(const OperationCase& c, std::ostream* out) { *out << c.what; }
};

class PlanOperationsTest : public ::testing::TestWithParam<OperationCase> {};

TEST_P(PlanOperationsTest, OneNamedStepThatUndoAndRedoWalkExactly) {
    const OperationCase& c = GetParam();
    PlanDocument doc;
    doc.reset({row(u"1"), row(u"2"), row(u"3")}, u"plan.qrn");
    doc.list().select(2);
    InputArea input;
    input.picker.add(u"Tour", 9);
    input.picker.select(0);
    input.fields[0] = u"9";

    c.operation(doc, input);
    ASSERT_EQ(doc.undoStack()->count(), 1) << c.what;
    EXPECT_EQ(doc.undoStack()->undoText(), QString::fromUtf16(c.step)) << c.what;
    EXPECT_EQ(xs(doc.list()), c.rowsAfter) << c.what;
    EXPECT_EQ(doc.list().selected(), c.selectedAfter) << c.what;
    doc.undoStack()->undo();
    EXPECT_EQ(xs(doc.list()), u"123") << c.what;
    EXPECT_EQ(doc.list().selected(), 2) << c.what;
    EXPECT_FALSE(doc.isModified()) << c.what;
    doc.undoStack()->redo();
    EXPECT_EQ(xs(doc.list()), c.rowsAfter) << c.what;
    EXPECT_EQ(doc.list().selected(), c.selectedAfter) << c.what;
}

using Doc = PlanDocument;
using In = InputArea;
INSTANTIATE_TEST_SUITE_P(
    EveryOperation, PlanOperationsTest,
    ::testing::Values(
        OperationCase{"add", [](Doc& d, const In& i) { operations::add(d, i); }, u"Ajouter",
                      u"1239", 2},
        OperationCase{"insert", [](Doc& d, const In& i) { operations::insert(d, i); }, u"Insérer",
                      u"1923", 3},
        OperationCase{"remove", [](Doc& d, const In&) { operations::remove(d); }, u"Supprimer",
                      u"13", std::nullopt},
        OperationCase{"up", [](Doc& d, const In& i) { operations::moveUp(d, i); },
                      u"Monter la ligne", u"213", 1},
        OperationCase{"down", [](Doc& d, const In& i) { operations::moveDown(d, i); },
                      u"Descendre la ligne", u"132", 3},
        OperationCase{"row to the end", [](Doc& d, const In&) { operations::moveRow(d, 2, 3); },
                      u"Déplacer la ligne", u"132", 3},
        OperationCase{"row to the top", [](Doc& d, const In&) { operations::moveRow(d, 2, 1); },
                      u"Déplacer la ligne", u"213", 1},
        OperationCase{"cell", [](Doc& d, const In&) { operations::replaceRow(d, 3, row(u"x")); },
                      u"Modifier la cellule", u"12x", 2},
        OperationCase{"map", [](Doc& d, const In&) { operations::moveOnMap(d, 1, 7, 4, false); },
                      u"Déplacer sur la carte", u"723", 2},
        OperationCase{"place", [](Doc& d, const In& i) { operations::place(d, i, 7, -2); },
                      u"Placer", u"1237", 4},
        OperationCase{"text", [](Doc& d, const In&) { operations::takeBackText(d, {row(u"5")}); },
                      u"Modifier le texte", u"5", std::nullopt},
        OperationCase{"block to the top",
                      [](Doc& d, const In&) { operations::moveSelectionTo(d, 1); },
                      u"Déplacer la ligne", u"213", 1},
        OperationCase{"cut", [](Doc& d, const In&) { operations::cut(d); }, u"Couper", u"13",
                      std::nullopt},
        OperationCase{"paste", [](Doc& d, const In&) { operations::paste(d, {row(u"x")}); },
                      u"Coller", u"12x3", 3},
        OperationCase{"duplicate", [](Doc& d, const In&) { operations::duplicate(d); },
                      u"Dupliquer", u"1223", 3},
        OperationCase{"selection on the map",
                      [](Doc& d, const In&) { operations::moveSelectionOnMap(d, 5, 0, false); },
                      u"Déplacer sur la carte", u"173", 2}));

TEST(PlanOperations, SelectedPlacementsMoveOnTheMapTogether) {
    PlanDocument doc;
    doc.reset({row(u"1"), row(u"2"), row(u"x"), row(u"999999999")}, {});
    doc.list().setSelection({{{2, 4}}, 2});
    operations::moveSelectionOnMap(doc, 3, -1, true);
    operations::moveSelectionOnMap(doc, 3, 0, true);  // the same selection moved on: one step
    EXPECT_EQ(doc.undoStack()->count(), 1);
    EXPECT_EQ(xs(doc.list()), u"18x999999999");  // off the map it stays; at the edge it stops
    EXPECT_EQ(doc.list().row(2).cell(Column::Y), u"-1");
    doc.undoStack()->undo();
    EXPECT_EQ(xs(doc.list()), u"12x999999999");
    EXPECT_EQ(doc.list().selection(), (PlacementList::Selection{{{2, 4}}, 2}));
}

TEST(PlanOperations, MapMovesJoinOnlyTheMoveOfTheSameRowJustBefore) {
    PlanDocument doc;
    doc.reset({row(u"1"), row(u"2")}, {});
    operations::moveOnMap(doc, 1, 2, 0, true);
    operations::moveOnMap(doc, 1, 3, 0, true);  // the same row: one step
    EXPECT_EQ(doc.undoStack()->count(), 1);
    operations::moveOnMap(doc, 2, 4, 0, true);   // another row: a step of its own
    operations::moveOnMap(doc, 2, 5, 0, false);  // a drag's release: never joins
    EXPECT_EQ(doc.undoStack()->count(), 3);
    operations::replaceRow(doc, 2, row(u"6"));
    operations::moveOnMap(doc, 2, 8, 0, true);  // not just after a map move
    EXPECT_EQ(doc.undoStack()->count(), 5);
    doc.undoStack()->setIndex(1);
    EXPECT_EQ(xs(doc.list()), u"32");
    doc.undoStack()->setIndex(0);
    EXPECT_EQ(xs(doc.list()), u"12");
}

TEST(PlanOperations, NothingDoneLeavesNoStep) {
    PlanDocument doc;
    doc.reset({row(u"1"), row(u"2")}, {});
    operations::place(doc, InputArea{}, 1, 1);  // the picker names no building
    operations::moveRow(doc, 1, 1);
    operations::moveRow(doc, 0, 2);
    operations::moveRow(doc, 1, 3);
    EXPECT_EQ(doc.undoStack()->count(), 0);
}

}  // namespace
}  // namespace qrn::test
