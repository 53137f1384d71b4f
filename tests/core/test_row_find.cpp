#include <gtest/gtest.h>

#include "core/row_find.h"

namespace qrn {
namespace {

TEST(RowFind, BuildingsAsidesCaseAndAccentsCellsExactly) {
    PlacementList list;
    const auto add = [&](std::u16string_view building, std::u16string_view x) {
        list.append(
            PlacementRow(building, {x, u"7", u"0", u"0", u"0", u"0"}, CatalogueIndex::number(0)));
    };
    add(u"Grande écurie", u"1");  // 1
    add(u"Temple", u"12");        // 2
    add(u"Écurie", u"ecurie");    // 3
    add(u"Maison", u"Écurie");    // 4: a cell matches exactly, never folded
    add(u"Petit temple", u"7");   // 5
    EXPECT_EQ(RowFinder(list, u"ECURIE").matches(), (std::vector<int>{1, 3}));
    EXPECT_EQ(RowFinder(list, u"Écurie").matches(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(RowFinder(list, u"7").count(), 5);
    EXPECT_EQ(RowFinder(list, u"1").matches(), (std::vector<int>{1}));
    EXPECT_EQ(RowFinder(list, u"").count(), 0);

    const RowFinder temple(list, u"temple");
    EXPECT_EQ(temple.next(0), 2);
    EXPECT_EQ(temple.next(2), 5);
    EXPECT_EQ(temple.next(5), 2);  // round to the top
    EXPECT_EQ(temple.previous(5), 2);
    EXPECT_EQ(temple.previous(2), 5);  // round to the bottom
    EXPECT_EQ(temple.previous(3), 2);
    EXPECT_EQ(RowFinder(list, u"Tour").next(1), std::nullopt);
}

}  // namespace
}  // namespace qrn
