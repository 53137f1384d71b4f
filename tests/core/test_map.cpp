#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "core/catalogue.h"
#include "core/commands.h"
#include "core/input_area.h"
#include "core/map_labels.h"
#include "core/map_model.h"
#include "tests/support/catalogue_text.h"

namespace qrn {
namespace {

PlacementRow row(std::u16string x, std::u16string y, std::u16string n = u"0",
                 std::u16string s = u"0", std::u16string e = u"0", std::u16string o = u"0",
                 std::int16_t index = 1) {
    return PlacementRow(u"b", {x, y, n, s, e, o}, CatalogueIndex::number(index));
}

TEST(MapGeometry, EntryOfRow) {
    Catalogue catalogue;
    catalogue.assign({test::record(u"0", u"15"), test::record(u"1", u"15"),
                      test::record(u"2", u"14"), test::record(u"3", u"12"),
                      test::record(u"4", u" 8"), test::record(u"5", u"8")});
    struct Case {
        PlacementRow row;
        TileRect region;
        MapAge age;
    };
    const Case cases[] = {
        {row(u"10", u"-3", u"2", u"1", u"4", u"3", 0), {7, -4, 14, -1}, MapAge::Stone},
        {row(u"+5", u"0", u"x", u"", u"1", u"2", 2), {3, 0, 6, 0}, MapAge::Tool},
        {row(u"0", u"0", u"-2", u"0", u"0", u"0", 3), {0, -2, 0, 0}, MapAge::Bronze},
        {row(u"999999999", u"-999999999", u"0", u"0", u"0", u"0", 5),  // the last entry
         {999999999, -999999999, 999999999, -999999999},
         MapAge::Iron},
        {row(u"1", u"1", u"0", u"0", u"0", u"0", 6), {1, 1, 1, 1}, MapAge::Other},
    };
    for (const Case& c : cases) {
        const MapEntry e = mapEntryOf(c.row, &catalogue);
        EXPECT_TRUE(e.onMap);
        EXPECT_EQ(e.region, c.region) << toUtf8(c.row.cell(Column::X));
        EXPECT_EQ(e.age, c.age);
    }
    EXPECT_EQ(mapEntryOf(row(u"abc", u"1", u"0", u"0", u"0", u"0", 4), &catalogue).age,
              MapAge::Other);
    // A full catalogue: entry 1000 has its age.
    catalogue.assign(std::vector<test::Record>(1001, test::record(u"x", u"12")));
    EXPECT_EQ(mapEntryOf(row(u"1", u"1", u"0", u"0", u"0", u"0", 1000), &catalogue).age,
              MapAge::Bronze);
    const std::pair<const char16_t*, const char16_t*> offMap[] = {
        {u"abc", u"1"}, {u" 1", u"1"}, {u"1", u"1.5"}, {u"-", u"1"}, {u"1000000000", u"1"}};
    for (auto [x, y] : offMap) EXPECT_FALSE(mapEntryOf(row(x, y), &catalogue).onMap) << toUtf8(x);
    const PlacementRow moved = movedRow(row(u"1", u"2", u"3", u"4", u"5", u"6", 7), -8, 90);
    EXPECT_EQ(moved, PlacementRow(u"b", {u"-8", u"90", u"3", u"4", u"5", u"6"},
                                  CatalogueIndex::number(7)));
}

// Rows 1 to 5: three regions that meet in a chain, one far away, one off the map.
class MapModelTest : public ::testing::Test {
protected:
    MapModelTest() {
        for (const PlacementRow& r :
             {row(u"0", u"0", u"1", u"1", u"1", u"1"), row(u"2", u"0", u"0", u"0", u"0", u"1"),
              row(u"4", u"0", u"0", u"0", u"2", u"2"), row(u"100", u"-50"), row(u"abc", u"0")})
            list.append(r);
    }
    // Every row's overlaps as the index finds them, against a pairwise check of fresh entries.
    void expectIndexAgreesWithPairs() {
        for (int p = 1; p <= list.count(); ++p) {
            std::vector<int> expected;
            const MapEntry a = mapEntryOf(list.row(p), nullptr);
            for (int q = 1; q <= list.count() && a.onMap; ++q) {
                const MapEntry b = mapEntryOf(list.row(q), nullptr);
                if (q != p && b.onMap && a.region.intersects(b.region)) expected.push_back(q);
            }
            EXPECT_EQ(a.onMap ? model.overlapsOf(p) : std::vector<int>{}, expected) << p;
        }
    }
    PlacementList list;
    MapModel model{list, nullptr};
};

TEST_F(MapModelTest, QueriesFollowEveryKindOfListChange) {
    EXPECT_EQ(model.offMapCount(), 1);
    EXPECT_EQ(model.overlapsOf(2), (std::vector<int>{1, 3}));
    expectIndexAgreesWithPairs();
    list.insert(2, row(u"100", u"-49", u"0", u"1"));  // meets row 4, now 5
    EXPECT_EQ(model.overlapsOf(5), (std::vector<int>{2}));
    list.swapWithNext(1);
    list.replace(6, row(u"1", u"1"));  // "abc" now on the map
    EXPECT_EQ(model.offMapCount(), 0);
    list.remove(4);
    expectIndexAgreesWithPairs();
    list.replace(1, row(u"-", u"1", u"0", u"0", u"999999", u"0"));
    list.append(row(u"-5", u"0", u"0", u"0", u"999999", u"0"));  // a wide region
    expectIndexAgreesWithPairs();
    // Blocks: a few rows one by one, many by a rebuild.
    list.moveRows(1, 2, 4);
    list.moveRows(5, 2, 2);
    list.insertRows(3, {row(u"100", u"-50"), row(u"7", u"7")});
    list.removeRows(2, 2);
    expectIndexAgreesWithPairs();
    list.insertRows(2, PlacementList::Rows(100, row(u"3", u"0")));
    list.moveRows(1, 3, 100);
    list.removeRows(5, 80);
    EXPECT_EQ(model.count(), list.count());
    expectIndexAgreesWithPairs();
    list.clear();
    EXPECT_EQ(model.count(), 0);
    EXPECT_FALSE(model.bounds());
}

TEST_F(MapModelTest, MarkerUnderAPointAndRowsInsideAnArea) {
    struct Hit {
        double x, y, reach;
        std::optional<int> row;
    };
    const Hit hits[] = {{0.5, 0.5, 0.4, 1},     {2.8, 0.2, 0.4, 2}, {3.5, 0.5, 0.4, {}},
                        {3.5, 0.5, 1.0, 3},  // 2 and 3 at the same distance: the later
                        {100.2, -49.8, 0.4, 4}, {-40, 0, 0.4, {}},  {50, -20, 80, 3}};
    for (const Hit& h : hits) EXPECT_EQ(model.markerAt(h.x, h.y, h.reach), h.row) << h.x;

    std::vector<int> rows;
    EXPECT_TRUE(model.inside({-1, -1, 3, 1}, 10, rows));
    EXPECT_EQ(rows, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(model.inside({99, -60, 200, -50}, 10, rows));
    EXPECT_EQ(rows, (std::vector<int>{4}));
    EXPECT_FALSE(model.inside({-1000, -1000, 1000, 1000}, 2, rows));
    EXPECT_EQ(model.bounds(), (TileRect{-1, -50, 100, 1}));

    std::vector<std::uint32_t> counts;
    std::vector<MapAge> ages;
    model.density({0, -50, 200, 10}, 2, 1, counts, ages);
    EXPECT_EQ(counts, (std::vector<std::uint32_t>{3, 1}));
}

// Map sizes, the rows outside one and the rows not drawn, the placing preview's row and the
// overlaps it would make, and markers sharing a tile.
TEST_F(MapModelTest, SizeCountsPreviewAndSharedTiles) {
    EXPECT_FALSE(mapSizeOf(u"", u""));
    EXPECT_FALSE(mapSizeOf(u"10", u"0"));
    EXPECT_FALSE(mapSizeOf(u"10", u" 5"));
    ASSERT_TRUE(mapSizeOf(u"4", u"5"));
    const MapSize size = *mapSizeOf(u"4", u"5");
    EXPECT_EQ(rowsOutside(model, size), (std::vector<int>{3, 4}));  // X 4 is past width 4
    EXPECT_EQ(rowsNotDrawn(model), (std::vector<int>{5}));

    InputArea input;
    input.picker.add(u"Tour", 9);
    input.fields = {u"x", u"y", u"0", u"0", u"1", u"1"};
    EXPECT_FALSE(placedRow(input, 3, 1));  // no entry chosen
    input.picker.select(0);
    const PlacementRow placed = *placedRow(input, 3, 1);
    EXPECT_EQ(placed, PlacementRow(u"Tour", {u"3", u"1", u"0", u"0", u"1", u"1"},
                                   CatalogueIndex::number(9)));
    EXPECT_EQ(model.overlapsOf(mapEntryOf(placed, nullptr).region, 0), std::vector<int>{});
    EXPECT_EQ(model.overlapsOf(mapEntryOf(*placedRow(input, 3, 0), nullptr).region, 0),
              (std::vector<int>{2, 3}));

    list.append(row(u"2", u"0"));
    list.append(row(u"100", u"-50"));
    list.append(row(u"2", u"0"));
    const std::vector<MarkerGroup> groups = groupByTile(model, {1, 2, 3, 4, 6, 7, 8});
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[1].top, 3);
    EXPECT_EQ(groups[2].top, 7);
    EXPECT_EQ(groups[2].count, 2);
    EXPECT_EQ(groups[3].top, 8);
    EXPECT_EQ(groups[3].count, 3);
}

// The tile under a screen point is the tile drawn there, at every zoom and far from the origin.
TEST(MapGeometry, TileUnderAPointAtEveryZoom) {
    for (const double scale : {1e-7, 0.01, 1.0, 12.0, 96.0}) {
        for (const std::int32_t x : {0, -1, 7, -999'999'999, 999'999'998}) {
            const MapViewport view{x + 0.5, -x + 0.5, scale, 800, 600};
            const double px = view.screenX(x + 0.5), py = view.screenY(-x + 0.5);
            EXPECT_EQ(view.tileAt(px, py), (std::pair{x, -x})) << scale << " " << x;
            if (scale >= 1 && x > -999'999'999) {
                // A tile's west edge belongs to it; half a pixel further west is the next tile.
                EXPECT_EQ(view.tileAt(view.screenX(x), py), (std::pair{x, -x}));
                EXPECT_EQ(view.tileAt(view.screenX(x) - 0.5, py), (std::pair{x - 1, -x}));
            }
        }
    }
    const MapViewport edge{999'999'999, 0, 1, 800, 600};
    EXPECT_FALSE(edge.tileAt(800, 300));  // beyond the coordinates the map takes
}

// Labels keep their place in the order asked and never meet; names too long are shortened.
TEST(MapLabels, TakenBoxesNeverMeetAndNamesShortenToFit) {
    LabelSpace space;
    EXPECT_TRUE(space.take({0, 0, 50, 10}));
    EXPECT_FALSE(space.take({49, 9, 50, 10}));   // meets the first by a corner
    EXPECT_TRUE(space.take({50, 0, 200, 10}));   // touching is not meeting; spans four cells
    EXPECT_FALSE(space.take({240, 5, 10, 10}));  // found through another cell of the wide one
    EXPECT_TRUE(space.take({-500, -500, 10, 10}));
    const auto width = [](std::u16string_view t) { return 10.0 * double(t.size()); };
    EXPECT_EQ(shortenedToFit(u"Maison", 60, width), u"Maison");
    EXPECT_EQ(shortenedToFit(u"Maison", 59, width), u"Mais…");
    EXPECT_EQ(shortenedToFit(u"Maison", 19, width), u"");
}

}  // namespace
}  // namespace qrn
