#include "core/commands.h"

#include <algorithm>

#include "core/input_area.h"
#include "core/map_geometry.h"
#include "core/placement_list.h"

namespace qrn {

// No half-made row is ever put in the list.
std::optional<PlacementRow> rowFromInput(const InputArea& input) {
    const std::optional<int> entry = input.picker.resolvedEntry();
    if (!entry) return std::nullopt;
    const auto& f = input.fields;
    const Picker::Entry& chosen = input.picker.entry(*entry);
    return PlacementRow(chosen.text, {f[0], f[1], f[2], f[3], f[4], f[5]},
                        CatalogueIndex::number(static_cast<std::int16_t>(chosen.itemData)));
}

std::optional<PlacementRow> placedRow(const InputArea& input, std::int32_t x, std::int32_t y) {
    const std::optional<PlacementRow> row = rowFromInput(input);
    if (!row) return std::nullopt;
    return movedRow(*row, x, y);
}

void Ajouter(PlacementList& list, const InputArea& input) {
    if (auto row = rowFromInput(input)) list.append(std::move(*row));
}

void Inserer(PlacementList& list, const InputArea& input) {
    if (list.empty()) return Ajouter(list, input);
    const std::optional<int> selected = list.selected();
    if (!selected) return;
    if (auto row = rowFromInput(input)) list.insert(*selected, std::move(*row));
}

void Supprimer(PlacementList& list) {
    // From the bottom up, so that the runs above keep their positions.
    const PlacementList::Runs runs = list.selection().runs;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run)
        list.removeRows(run->first, run->second - run->first + 1);
}

void MoveUp(PlacementList& list, const InputArea& input) {
    if (list.empty()) return Ajouter(list, input);
    const PlacementList::Runs runs = list.selection().runs;
    if (runs.empty() || runs.front().first == 1) return;
    // The row above each run goes below it.
    for (const auto& [first, last] : runs) list.moveRows(first - 1, 1, last);
}

void MoveDown(PlacementList& list, const InputArea& input) {
    if (list.empty()) return Ajouter(list, input);
    const PlacementList::Runs runs = list.selection().runs;
    if (runs.empty() || runs.back().second == list.count()) return;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run)
        list.moveRows(run->second + 1, 1, run->first);
}

void MoveSelectionTo(PlacementList& list, int to) {
    const PlacementList::Selection before = list.selection();
    if (before.runs.empty()) return;
    const int n = list.selectionCount();
    to = std::clamp(to, 1, list.count() - n + 1);
    if (before.runs.size() == 1) return list.moveRows(before.runs.front().first, n, to);
    // Scattered rows: taken out, then put back together.
    int current = 0;  // the current row's place in the block
    for (const auto& [first, last] : before.runs) {
        if (*before.current > last)
            current += last - first + 1;
        else if (*before.current >= first)
            current += *before.current - first;
    }
    PlacementList::Rows rows = list.selectedRows();
    Supprimer(list);
    list.insertRows(to, std::move(rows));
    list.setSelection({{{to, to + n - 1}}, to + current});
}

void PasteRows(PlacementList& list, PlacementList::Rows rows) {
    if (rows.empty()) return;
    const PlacementList::Runs runs = list.selection().runs;
    const int at = runs.empty() ? list.count() + 1 : runs.back().second + 1;
    const int n = int(rows.size());
    list.insertRows(at, std::move(rows));
    list.setSelection({{{at, at + n - 1}}, at});
}

void Dupliquer(PlacementList& list) {
    PasteRows(list, list.selectedRows());
}

}  // namespace qrn
