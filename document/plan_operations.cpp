#include "document/plan_operations.h"

#include <QString>

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
    // One row moved is its neighbours exchanged one after another: one step all the same.
    step(document, kMoveRow, [&] {
        if (from < to)
            for (int p = from; p < to; ++p) list.swapWithNext(p);
        else
            for (int p = from - 1; p >= to; --p) list.swapWithNext(p);
    });
}

void replaceRow(PlanDocument& document, int position, PlacementRow row) {
    step(document, kReplaceRow, [&] { document.list().replace(position, std::move(row)); });
}

void moveOnMap(PlanDocument& document, int position, std::int32_t x, std::int32_t y,
               bool mergeWithLast) {
    PlacementList& list = document.list();
    PlacementRow row = movedRow(list.row(position), x, y);
    std::optional<PlanDocument::MergeKey> merge;
    if (mergeWithLast) merge = PlanDocument::MergeKey{PlanDocument::MergeKey::kMoveOnMap, position};
    step(
        document, kMoveOnMap, [&] { list.replace(position, std::move(row)); }, merge);
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
