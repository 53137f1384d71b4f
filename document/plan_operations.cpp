#include "document/plan_operations.h"

#include <QString>
#include <algorithm>

#include "core/commands.h"
#include "core/input_area.h"
#include "core/map_geometry.h"
#include "document/plan_document.h"

namespace qrn::operations {

namespace {

void step(PlanDocument& document, const char16_t* name, const std::function<void()>& action,
          std::optional<PlanDocument::MergeKey> merge = std::nullopt) {
    document.edit(QString::fromUtf16(name), action, merge);
}

// A coordinate moved, kept on the map.
std::int32_t onMap(std::int32_t value, std::int32_t by) {
    return std::int32_t(std::clamp<std::int64_t>(std::int64_t(value) + by, -kMapCoordinateLimit,
                                                 kMapCoordinateLimit));
}

// The key that joins a move on the map to the move of the same row just before it.
std::optional<PlanDocument::MergeKey> mapMoveKey(bool mergeWithLast, int row) {
    if (!mergeWithLast) return std::nullopt;
    return PlanDocument::MergeKey{PlanDocument::MergeKey::kMoveOnMap, row};
}

}  // namespace

void add(PlanDocument& document, const InputArea& input) {
    step(document, kAdd, [&] { Ajouter(document.list(), input); });
}

void insert(PlanDocument& document, const InputArea& input) {
    step(document, kInsert, [&] { Inserer(document.list(), input); });
}

void remove(PlanDocument& document) {
    step(document, kRemove, [&] { Supprimer(document.list()); });
}

void moveUp(PlanDocument& document, const InputArea& input) {
    step(document, kMoveUp, [&] { MoveUp(document.list(), input); });
}

void moveDown(PlanDocument& document, const InputArea& input) {
    step(document, kMoveDown, [&] { MoveDown(document.list(), input); });
}

void moveRow(PlanDocument& document, int from, int to) {
    PlacementList& list = document.list();
    if (from == to || from < 1 || to < 1 || from > list.count() || to > list.count()) return;
    list.select(from);
    step(document, kMoveRow, [&] { list.moveRows(from, 1, to); });
}

void moveSelectionTo(PlanDocument& document, int to) {
    step(document, kMoveRow, [&] { MoveSelectionTo(document.list(), to); });
}

void cut(PlanDocument& document) {
    step(document, kCut, [&] { Supprimer(document.list()); });
}

void paste(PlanDocument& document, PlacementList::Rows rows) {
    step(document, kPaste, [&] { PasteRows(document.list(), std::move(rows)); });
}

void duplicate(PlanDocument& document) {
    step(document, kDuplicate, [&] { Dupliquer(document.list()); });
}

void replaceRow(PlanDocument& document, int position, PlacementRow row) {
    step(document, kReplaceRow, [&] { document.list().replace(position, std::move(row)); });
}

void moveOnMap(PlanDocument& document, int position, std::int32_t x, std::int32_t y,
               bool mergeWithLast) {
    PlacementList& list = document.list();
    PlacementRow row = movedRow(list.row(position), x, y);
    step(
        document, kMoveOnMap, [&] { list.replace(position, std::move(row)); },
        mapMoveKey(mergeWithLast, position));
}

void moveSelectionOnMap(PlanDocument& document, std::int32_t dx, std::int32_t dy,
                        bool mergeWithLast) {
    PlacementList& list = document.list();
    const std::optional<int> current = list.selected();
    if (!current) return;
    step(
        document, kMoveOnMap,
        [&] {
            for (const int p : list.selectedPositions()) {
                const PlacementRow& row = list.row(p);
                const auto x = wholeNumber(row.cell(Column::X));
                const auto y = wholeNumber(row.cell(Column::Y));
                if (!x || !y) continue;
                list.replace(p, movedRow(row, onMap(*x, dx), onMap(*y, dy)));
            }
        },
        mapMoveKey(mergeWithLast, *current));
}

void place(PlanDocument& document, const InputArea& input, std::int32_t x, std::int32_t y) {
    std::optional<PlacementRow> row = placedRow(input, x, y);
    if (!row) return;
    PlacementList& list = document.list();
    step(document, kPlace, [&] {
        list.append(std::move(*row));
        list.select(list.count());
    });
}

void takeBackText(PlanDocument& document, PlacementList::Rows rows) {
    step(document, kTakeBackText, [&] { document.list().assign(std::move(rows)); });
}

}  // namespace qrn::operations
