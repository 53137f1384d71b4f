#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/errors.h"
#include "base/text.h"
#include "core/commands.h"
#include "core/input_area.h"
#include "core/list_change.h"
#include "core/placement_list.h"
#include "tests/support/rows.h"

namespace qrn {
namespace {

// Rows named by their X cell; the state of a list as "xs|selected".
PlacementRow row(char16_t x) {
    return test::row(std::u16string(1, x));
}

std::string state(const PlacementList& list) {
    return toUtf8(test::xs(list)) + "|" +
           (list.selected() ? std::to_string(*list.selected()) : "-");
}

struct Case {
    const char* name;
    const char* rows;
    int selected;  // 0 for none
    std::function<void(PlacementList&, InputArea&)> command;
    const char* after;
};

TEST(ListChange, UndoAndRedoRestoreRowsOrderAndSelection) {
    const Case cases[] = {
        {"Ajouter", "pqr", 2, [](auto& l, auto& in) { Ajouter(l, in); }, "pqrn|2"},
        {"Insérer", "pqr", 2, [](auto& l, auto& in) { Inserer(l, in); }, "pnqr|3"},
        {"Supprimer", "pqr", 2, [](auto& l, auto&) { Supprimer(l); }, "pr|-"},
        {"/\\", "pqr", 3, [](auto& l, auto& in) { MoveUp(l, in); }, "prq|2"},
        {"\\/", "pqr", 1, [](auto& l, auto& in) { MoveDown(l, in); }, "qpr|2"},
        {"\\/ on an empty list", "", 0, [](auto& l, auto& in) { MoveDown(l, in); }, "n|-"},
        {"replace", "pqr", 1, [](auto& l, auto&) { l.replace(3, row(u'z')); }, "pqz|1"},
        {"assign", "pqr", 3,
         [](auto& l, auto&) {
             l.assign(PlacementList::Rows{row(u'a'), row(u'b')});
         },
         "ab|-"},
        {"several steps", "pqr", 2,
         [](auto& l, auto&) { l.remove(1), l.append(row(u'z')), l.swapWithNext(1), l.select(3); },
         "rqz|3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputArea input;
        input.picker.add(u"Hutte", 0);
        input.picker.select(0);
        input.fields[0] = u"n";
        PlacementList list;
        for (const char* x = c.rows; *x; ++x) list.append(row(char16_t(*x)));
        if (c.selected) list.select(c.selected);
        const std::string before = state(list);

        ListChange change = ListChange::record(list, [&] { c.command(list, input); });
        EXPECT_FALSE(change.empty());
        EXPECT_EQ(state(list), c.after);
        for (int round = 0; round < 2; ++round) {
            change.undo(list);
            EXPECT_EQ(state(list), before);
            change.redo(list);
            EXPECT_EQ(state(list), c.after);
        }
    }
}

TEST(ListChange, KeepsWhatAFailingActionDidAndItsFailure) {
    PlacementList list;
    list.append(row(u'p'));
    ListChange change = ListChange::record(list, [&] {
        list.append(row(u'q'));
        list.remove(5);
    });
    ASSERT_TRUE(change.failure);
    EXPECT_THROW(std::rethrow_exception(change.failure), IndexError);
    change.undo(list);
    EXPECT_EQ(state(list), "p|-");

    ListChange nothing = ListChange::record(list, [&] { list.select(1); });
    EXPECT_TRUE(nothing.empty());
    EXPECT_FALSE(nothing.failure);
}

TEST(ListChange, AppendedChangesUndoAsOne) {
    PlacementList list;
    for (char16_t x : std::u16string(u"pqr")) list.append(row(x));
    list.select(1);
    ListChange change = ListChange::record(list, [&] { list.swapWithNext(1); });
    change.append(ListChange::record(list, [&] { list.swapWithNext(2); }));
    EXPECT_EQ(state(list), "qrp|3");
    change.undo(list);
    EXPECT_EQ(state(list), "pqr|1");
    change.redo(list);
    EXPECT_EQ(state(list), "qrp|3");
}

}  // namespace
}  // namespace qrn
