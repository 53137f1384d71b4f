#pragma once

// The editing commands of the row buttons. None shows anything or checks a value; each leaves
// the input area as it was.

#include <cstdint>
#include <optional>

#include "core/placement_row.h"

namespace qrn {

class PlacementList;
struct InputArea;

// The row "Ajouter" would make from the input area, or none when the picker names no entry.
std::optional<PlacementRow> rowFromInput(const InputArea& input);
// That row put on the tile x, y (its X and Y cells the decimal texts): what "Placer" adds.
std::optional<PlacementRow> placedRow(const InputArea& input, std::int32_t x, std::int32_t y);

// "Ajouter": appends a row made from the picker and the six fields. Nothing happens when the
// picker stands for no entry (see Picker::resolvedEntry).
void Ajouter(PlacementList& list, const InputArea& input);
// "Insérer": on an empty list, Ajouter; otherwise the new row takes the selected row's
// place and the selected row, still selected, moves one down. Nothing without a selection.
void Inserer(PlacementList& list, const InputArea& input);
// "Supprimer": removes the selected row and leaves no selection; nothing without one.
void Supprimer(PlacementList& list);
// "/\" and "\/": the selected row and its neighbour exchange places and the moved row stays
// selected. On an empty list they run Ajouter; at the edge or without a selection, nothing.
void MoveUp(PlacementList& list, const InputArea& input);
void MoveDown(PlacementList& list, const InputArea& input);

}  // namespace qrn
