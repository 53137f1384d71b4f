#include "core/commands.h"

#include "core/input_area.h"
#include "core/map_geometry.h"
#include "core/placement_list.h"

namespace qrn {

// No half-made row is ever put in the list.
std::optional<PlacementRow> rowFromInput(const InputArea& input) {
    const std::optional<int> entry = input.picker.resolvedEntry();
    if (!entry) return std::nullopt;
    const auto& f = input.fields;
    return PlacementRow(
        input.picker.text(), {f[0], f[1], f[2], f[3], f[4], f[5]},
        CatalogueIndex::number(static_cast<std::int16_t>(input.picker.entry(*entry).itemData)));
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
    if (const std::optional<int> selected = list.selected()) list.remove(*selected);
}

void MoveUp(PlacementList& list, const InputArea& input) {
    if (list.empty()) return Ajouter(list, input);
    const std::optional<int> selected = list.selected();
    if (!selected || *selected == 1) return;
    list.swapWithNext(*selected - 1);
}

void MoveDown(PlacementList& list, const InputArea& input) {
    if (list.empty()) return Ajouter(list, input);
    const std::optional<int> selected = list.selected();
    if (!selected || *selected == list.count()) return;
    list.swapWithNext(*selected);
}

}  // namespace qrn
