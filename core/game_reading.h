#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/placement_row.h"

namespace qrn {

class PlacementList;

// How the game reads a row's six values: X and Y are whole numbers, the offsets N, S, E and O
// whole numbers from 0 up (a whole number as the map takes it, core/map_geometry.h). The plan
// file holds any text, so such a value saves and reads back; the game just does not place the
// building as meant.
//
// Why the game would not read text in column as meant ("« 1O » n'est pas un nombre entier");
// none when it would.
std::optional<std::u16string> gameReadingProblem(Column column, std::u16string_view text);
// Whether some value of the row has one.
bool misreadByGame(const PlacementRow& row);
// How many rows of the list have one.
long rowsMisreadByGame(const PlacementList& list);

}  // namespace qrn
