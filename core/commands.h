#pragma once

// The editing commands of the row buttons. None shows anything or checks a value; each leaves
// the input area as it was.

#include <cstdint>
#include <optional>

#include "core/placement_list.h"
#include "core/placement_row.h"

namespace qrn {

struct InputArea;

// The row "Ajouter" would make from the input area, or none when the picker names no entry.
std::optional<PlacementRow> rowFromInput(const InputArea& input);
// That row put on the tile x, y (its X and Y cells the decimal texts): what "Placer" adds.
std::optional<PlacementRow> placedRow(const InputArea& input, std::int32_t x, std::int32_t y);

// "Ajouter": appends a row made from the picker's entry (its name and catalogue index) and the
// six fields. Nothing happens when the picker stands for no entry (see Picker::resolvedEntry).
void Ajouter(PlacementList& list, const InputArea& input);
// "Insérer": on an empty list, Ajouter; otherwise the new row takes the selected row's
// place and the selected row, still selected, moves one down. Nothing without a selection.
void Inserer(PlacementList& list, const InputArea& input);
// "Supprimer" (and "Couper" once copied): removes the selected rows and leaves no selection;
// nothing without one.
void Supprimer(PlacementList& list);
// "/\" and "\/": the selected rows move one place up or down, each run of them passing its
// neighbour, and stay selected. On an empty list they run Ajouter; when a selected row is at
// the edge or nothing is selected, nothing.
void MoveUp(PlacementList& list, const InputArea& input);
void MoveDown(PlacementList& list, const InputArea& input);
// A block dragged in the list: the selected rows, in their order, become the rows from to on;
// the others keep theirs. to is clamped to the list; nothing without a selection.
void MoveSelectionTo(PlacementList& list, int to);
// "Coller": rows go in after the last selected row (at the end without a selection) and
// become the selection, the first of them current.
void PasteRows(PlacementList& list, PlacementList::Rows rows);
// "Dupliquer": a copy of the selected rows pasted as PasteRows does.
void Dupliquer(PlacementList& list);

}  // namespace qrn
