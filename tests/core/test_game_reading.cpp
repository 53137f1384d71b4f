#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/game_reading.h"
#include "core/placement_list.h"

namespace qrn {
namespace {

TEST(GameReading, WholeNumbersForCoordinatesAndNoNegativeOffsets) {
    const struct {
        Column column;
        std::u16string text;
        std::optional<std::u16string> problem;
    } cases[] = {
        {Column::X, u"12", std::nullopt},
        {Column::Y, u"-5", std::nullopt},
        {Column::O, u"+2", std::nullopt},
        {Column::X, u"1O", u"« 1O » n'est pas un nombre entier"},
        {Column::Y, u"", u"la valeur est vide, pas un nombre entier"},
        {Column::E, u"2.5", u"« 2.5 » n'est pas un nombre entier"},
        {Column::S, u" 3", u"«  3 » n'est pas un nombre entier"},
        {Column::N, u"-3", u"le décalage « -3 » est négatif"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gameReadingProblem(c.column, c.text), c.problem)
            << int(c.column) << " " << std::string(c.text.begin(), c.text.end());

    PlacementList list;
    for (const char16_t* x : {u"1", u"1O", u"2", u"x"})
        list.append(
            PlacementRow(u"b", {x, u"0", u"0", u"0", u"0", u"0"}, CatalogueIndex::number(1)));
    EXPECT_EQ(rowsMisreadByGame(list), 2);
}

}  // namespace
}  // namespace qrn
