#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ListChange, UndoAndRedoRestoreRowsOrderAndSelection) {
    const struct {
        const char* rows;
        int selected;  // 0 for none
        std::function<void(PlacementList&)> action;
        const char* after;
    } cases[] = {
        {"pqr", 2, [](auto& l) { l.append(row(u'n')); }, "pqrn|2"},
        {"pqr", 2, [](auto& l) { l.insert(2, row(u'n')); }, "pnqr|3"},
        {"", 0, [](auto& l) { l.insert(1, row(u'n')); }, "n|-"},
        {"pqr", 2, [](auto& l) { l.remove(2); }, "pr|-"},
        {"pqr", 3, [](auto& l) { l.remove(1); }, "qr|2"},
        {"pqr", 3, [](auto& l) { l.swapWithNext(2); }, "prq|2"},
        {"pqr", 1, [](auto& l) { l.replace(3, row(u'z')); }, "pqz|1"},
        {"pqr", 3,
         [](auto& l) {
             l.assign(PlacementList::Rows{row(u'a'), row(u'b')});
         },
         "ab|-"},
        {"pqr", 2,
         [](auto& l) { l.remove(1), l.append(row(u'z')), l.swapWithNext(1), l.select(3); },
         "rqz|3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        PlacementList list;
        for (const char* x = c.rows; *x; ++x) list.append(row(char16_t(*x)));
        if (c.selected) list.select(c.selected);
        const std::string before = state(list);

        ListChange change = ListChange::record(list, [&] { c.action(list); });
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

// Block commands on rows named by their X cell; the state is "xs|selected rows|current".
TEST(ListChange, BlockCommandsUndoAndRedoRestoreRowsOrderAndSelection) {
    const struct {
        const char* rows;
        const char* selected;  // positions as digits, the first one current
        std::function<void(PlacementList&)> action;
        const char* after;  // "" when nothing changes
    } cases[] = {
        {"abcde", "42", Supprimer, "ace||-"},
        {"abcde", "12345", Supprimer, "||-"},
        {"abcdef", "325", [](auto& l) { MoveUp(l, {}); }, "bcaedf|124|2"},
        {"abcde", "31", [](auto& l) { MoveUp(l, {}); }, ""},
        {"abcde", "24", [](auto& l) { MoveDown(l, {}); }, "acbed|35|3"},
        {"abcde", "5", [](auto& l) { MoveDown(l, {}); }, ""},
        {"abcde", "32", [](auto& l) { MoveSelectionTo(l, 9); }, "adebc|45|5"},
        {"abcde", "34", [](auto& l) { MoveSelectionTo(l, 1); }, "cdabe|12|1"},
        {"abcde", "413", [](auto& l) { MoveSelectionTo(l, 2); }, "bacde|234|4"},
        {"abc", "2",
         [](auto& l) {
             PasteRows(l, {row(u'x'), row(u'y')});
         },
         "abxyc|34|3"},
        {"abc", "", [](auto& l) { PasteRows(l, {row(u'x')}); }, "abcx|4|4"},
        {"abc", "31", Dupliquer, "abcac|45|4"},
    };
    const auto full = [](const PlacementList& list) {
        std::string out = toUtf8(test::xs(list)) + "|";
        for (int p : list.selectedPositions()) out += std::to_string(p);
        return out + "|" + (list.selected() ? std::to_string(*list.selected()) : "-");
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rows) + " " + c.selected + " " + c.after);
        PlacementList list;
        for (const char* x = c.rows; *x; ++x) list.append(row(char16_t(*x)));
        PlacementList::Selection selection;
        for (const char* p = c.selected; *p; ++p) selection.runs.push_back({*p - '0', *p - '0'});
        std::sort(selection.runs.begin(), selection.runs.end());
        if (*c.selected) selection.current = c.selected[0] - '0';
        list.setSelection(selection);
        const std::string before = full(list);

        ListChange change = ListChange::record(list, [&] { c.action(list); });
        EXPECT_FALSE(change.failure);
        EXPECT_EQ(change.empty(), *c.after == 0);
        const std::string after = *c.after ? c.after : before;
        EXPECT_EQ(full(list), after);
        for (int round = 0; round < 2; ++round) {
            change.undo(list);
            EXPECT_EQ(full(list), before);
            change.redo(list);
            EXPECT_EQ(full(list), after);
        }
    }
}

}  // namespace
}  // namespace qrn
