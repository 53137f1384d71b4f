#pragma once

// The editing commands of the row buttons. None shows anything or checks a value; each leaves
// the input area as it was.

namespace qrn {

class PlacementList;
struct InputArea;

// "Ajouter": appends a row made from the picker's entry (its name and catalogue index) and the
// six fields. Nothing happens when the picker stands for no entry (see Picker::resolvedEntry).
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
