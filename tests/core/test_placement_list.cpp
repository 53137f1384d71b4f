#include <gtest/gtest.h>

#include "base/errors.h"
#include "core/placement_list.h"
#include "tests/support/rows.h"

namespace qrn {
namespace {

using test::row;
using test::xs;

// Records what a view would be told.
struct Recorder : PlacementListObserver {
    std::string log;
    static std::string n(int p, int count) {
        return std::to_string(p) + (count > 1 ? "x" + std::to_string(count) : "");
    }
    void beforeInsert(int p, int count) override { log += "+" + n(p, count); }
    void afterInsert() override { log += "."; }
    void beforeRemove(int p, int count) override { log += "-" + n(p, count); }
    void afterRemove() override { log += "."; }
    void beforeMove(int p, int count, int to) override {
        log += "~" + n(p, count) + ">" + std::to_string(to);
    }
    void afterMove() override { log += "."; }
    void beforeReset() override { log += "R"; }
    void afterReset() override { log += "."; }
    void beforeReplace(int p) override { log += "=" + std::to_string(p); }
    void afterReplace() override { log += "."; }
    void selectionChanged() override { log += "s"; }
};

// A row keeps every text as given, short or long, when copied, assigned and moved.
TEST(PlacementRow, KeepsItsTextsThroughCopiesAndMoves) {
    for (const char16_t* text : {u"", u" 7", u"a text longer than any cell can be written"}) {
        const std::array<std::u16string_view, 6> cells{text, u"1 2", u"", u"0", u"0", u"o"};
        const PlacementRow original(u"Tour", cells, CatalogueIndex::text(3));
        EXPECT_EQ(original.building(), u"Tour");
        for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(original.cell(c), cells[std::size_t(c)]);
        EXPECT_EQ(original.index(), CatalogueIndex::text(3));
        PlacementRow copy = original;
        EXPECT_EQ(copy, original);
        PlacementRow assigned = row(u"a much longer text than fits");
        assigned = original;
        EXPECT_EQ(assigned, original);
        const PlacementRow moved = std::move(copy);
        EXPECT_EQ(moved, original);
        EXPECT_NE(PlacementRow(u"Tour", cells, CatalogueIndex::number(3)), original);
        EXPECT_NE(PlacementRow(u"Tour", {text, u"1 2", u"", u"0", u"0", u"p"}, original.index()),
                  original);
    }
}

TEST(CatalogueIndex, ParsesTextsByTheirValue) {
    EXPECT_EQ(CatalogueIndex::parse(u"17").value(), 17);
    EXPECT_EQ(CatalogueIndex::parse(u" 007 ").value(), 7);
    EXPECT_EQ(CatalogueIndex::parse(u"-32768").value(), -32768);
    EXPECT_THROW(CatalogueIndex::parse(u"3;4"), TypeMismatch);
    EXPECT_THROW(CatalogueIndex::parse(u""), TypeMismatch);
    EXPECT_THROW(CatalogueIndex::parse(u"32768"), Overflow);
    EXPECT_THROW(CatalogueIndex::parse(u"99999999999999999999x"), TypeMismatch);
}

TEST(PlacementList, PositionsOutsideTheListChangeNothing) {
    PlacementList list;
    list.append(row(u"a"));
    list.select(1);
    EXPECT_THROW(list.row(0), IndexError);
    EXPECT_THROW(list.row(2), IndexError);
    EXPECT_THROW(list.insert(3, row(u"x")), IndexError);
    EXPECT_THROW(list.remove(2), IndexError);
    EXPECT_THROW(list.swapWithNext(1), IndexError);
    EXPECT_THROW(list.select(0), IndexError);
    EXPECT_EQ(xs(list), u"a");
    EXPECT_EQ(list.selected(), 1);
    list.insert(2, row(u"z"));  // count + 1 appends
    EXPECT_EQ(xs(list), u"az");
    EXPECT_THROW(list.setSelection({{{2, 1}}, std::nullopt}), IndexError);
    EXPECT_EQ(list.selected(), 1);
}

TEST(PlacementList, TellsItsObserverBeforeAndAfterEveryChange) {
    PlacementList list;
    Recorder recorder;
    list.addObserver(&recorder);
    list.append(row(u"a"));
    list.insert(1, row(u"b"));
    list.select(2);
    list.swapWithNext(1);
    list.remove(1);
    list.remove(1);
    list.assign({row(u"c")});
    list.replace(1, row(u"d"));
    EXPECT_THROW(list.replace(2, row(u"e")), IndexError);
    EXPECT_EQ(recorder.log, "+1.+1.s~1>2.s-1.s-1.R.=1.");
    EXPECT_EQ(xs(list), u"d");

    // A block is one call, whatever its length.
    recorder.log.clear();
    list.insertRows(1, {row(u"a"), row(u"b"), row(u"c")});
    list.moveRows(1, 2, 3);
    list.moveRows(3, 2, 1);
    list.removeRows(2, 3);
    EXPECT_THROW(list.moveRows(1, 2, 1), IndexError);
    EXPECT_THROW(list.removeRows(1, 2), IndexError);
    EXPECT_EQ(recorder.log, "+1x3.~1x2>3.~3x2>1.-2x3.");
    EXPECT_EQ(xs(list), u"a");
}

TEST(PlacementList, SeveralSelectedRowsFollowTheirRowsAndKeepACurrentOne) {
    PlacementList list;
    list.insertRows(1, {row(u"a"), row(u"b"), row(u"c"), row(u"d"), row(u"e")});
    const auto sel = [&] {
        std::string out;
        for (int p : list.selectedPositions()) out += std::to_string(p);
        return out + "/" + (list.selected() ? std::to_string(*list.selected()) : "-");
    };
    list.select(2);
    list.toggle(4);
    EXPECT_EQ(sel(), "24/4");
    list.moveRows(4, 2, 1);  // d e a b c
    EXPECT_EQ(sel(), "14/1");
    list.moveRows(1, 1, 5);  // e a b c d
    EXPECT_EQ(sel(), "35/5");
    list.insertRows(2, {row(u"x")});
    EXPECT_EQ(sel(), "46/6");
    list.remove(6);  // the current row goes: the first still selected takes over
    EXPECT_EQ(sel(), "4/4");
    list.selectAll();
    EXPECT_EQ(list.selection(), (PlacementList::Selection{{{1, 5}}, 4}));
    list.toggle(4);
    EXPECT_EQ(sel(), "1235/1");
    EXPECT_EQ(list.selection().runs, (PlacementList::Runs{{1, 3}, {5, 5}}));
    list.select(5);
    EXPECT_EQ(sel(), "5/5");
    list.setSelection({{{2, 3}}, std::nullopt});
    EXPECT_EQ(sel(), "23/2");
    list.setSelection({{}, 4});
    EXPECT_EQ(sel(), "4/4");
    list.assign({row(u"z")});
    EXPECT_EQ(sel(), "/-");
}

}  // namespace
}  // namespace qrn
