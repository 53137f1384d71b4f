#pragma once

// Every change a user can make to a plan's rows, in one place. Each is one step of the
// document's undo history, named as "Édition > Annuler" shows it; a command that changes no
// row leaves no step. A failure is thrown on after what the command did before it is kept
// (and undoable), as PlanDocument::edit does.

#include <cstdint>

#include "core/placement_list.h"

namespace qrn {

class PlanDocument;
struct InputArea;

namespace operations {

// The names of the steps, as the history shows them.
inline constexpr char16_t kAdd[] = u"Ajouter";
inline constexpr char16_t kInsert[] = u"Insérer";
inline constexpr char16_t kRemove[] = u"Supprimer";
inline constexpr char16_t kMoveUp[] = u"Monter la ligne";
inline constexpr char16_t kMoveDown[] = u"Descendre la ligne";
inline constexpr char16_t kMoveRow[] = u"Déplacer la ligne";
inline constexpr char16_t kReplaceRow[] = u"Modifier la cellule";
inline constexpr char16_t kMoveOnMap[] = u"Déplacer sur la carte";
inline constexpr char16_t kTakeBackText[] = u"Modifier le texte";
inline constexpr char16_t kCut[] = u"Couper";
inline constexpr char16_t kPaste[] = u"Coller";
inline constexpr char16_t kDuplicate[] = u"Dupliquer";
inline constexpr char16_t kPlace[] = u"Placer";

// "Ajouter", "Insérer", "Supprimer", "/\" and "\/" (core/commands.h says what each does; the
// last three act on every selected row).
void add(PlanDocument& document, const InputArea& input);
void insert(PlanDocument& document, const InputArea& input);
void remove(PlanDocument& document);
void moveUp(PlanDocument& document, const InputArea& input);
void moveDown(PlanDocument& document, const InputArea& input);
// The row at from (from 1) taken to to, the rows between shifting by one; it stays selected.
// Nothing when from equals to or either lies outside the list.
void moveRow(PlanDocument& document, int from, int to);
// A block of selected rows dragged in the list: they become the rows from to on (see
// MoveSelectionTo), staying selected.
void moveSelectionTo(PlanDocument& document, int to);
// "Couper" once the rows are on the clipboard: the selected rows removed.
void cut(PlanDocument& document);
// "Coller" and "Dupliquer" (core/commands.h).
void paste(PlanDocument& document, PlacementList::Rows rows);
void duplicate(PlanDocument& document);
// The row at position replaced by row: a cell edited in place.
void replaceRow(PlanDocument& document, int position, PlacementRow row);
// The placement at position moved to the tile x, y on the map (its X and Y cells rewritten).
// With mergeWithLast, a move that directly follows a move of the same row joins its step (the
// arrow keys pressed one after another); a move of another row never does.
void moveOnMap(PlanDocument& document, int position, std::int32_t x, std::int32_t y,
               bool mergeWithLast);
// Every selected placement on the map moved by dx, dy tiles together; a selected row whose X
// or Y is not a whole number stays. mergeWithLast as for moveOnMap, the current row telling
// the moves apart.
void moveSelectionOnMap(PlanDocument& document, std::int32_t dx, std::int32_t dy,
                        bool mergeWithLast);

// "Placer": the row "Ajouter" would make from input, put on the tile x, y of the map, appended
// and selected. Nothing when the picker names no entry.
void place(PlanDocument& document, const InputArea& input, std::int32_t x, std::int32_t y);
// The text view's text taken back: every row replaced by rows.
void takeBackText(PlanDocument& document, PlacementList::Rows rows);

}  // namespace operations
}  // namespace qrn
