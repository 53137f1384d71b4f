#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "core/placement_row.h"

namespace qrn {

// Told of every change to a PlacementList, before and after, so that a view can follow it
// (a Qt model adapter turns these into beginInsertRows/endInsertRows and so on). Positions
// are the list's own, from 1.
class PlacementListObserver {
public:
    virtual ~PlacementListObserver() = default;
    virtual void beforeInsert(int position) = 0;
    virtual void afterInsert() = 0;
    virtual void beforeRemove(int position) = 0;
    virtual void afterRemove() = 0;
    // Rows at a and a + 1 exchange places.
    virtual void beforeSwap(int a) = 0;
    virtual void afterSwap() = 0;
    virtual void beforeReset() = 0;
    virtual void afterReset() = 0;
    // The row at position is replaced by another.
    virtual void beforeReplace(int position) = 0;
    virtual void afterReplace() = 0;
    virtual void selectionChanged() = 0;
};

// The ordered rows of one editor window, positions 1 to count, with at most one selected row.
// The selection follows its row when rows are inserted above it. A position outside 1 to
// count is an IndexError and changes nothing.
class PlacementList {
public:
    // The rows in a deque: a list grows to any length without its rows being moved or its
    // memory touched twice, and an insertion or removal moves only the rows on its shorter side.
    using Rows = std::deque<PlacementRow>;

    int count() const { return int(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    void append(PlacementRow row);
    void insert(int position, PlacementRow row);
    // The removed row, if selected, leaves no selection behind.
    void remove(int position);
    const PlacementRow& row(int position) const;
    // Exchanges the rows at position and position + 1; a selection on either follows its row.
    void swapWithNext(int position);

    std::optional<int> selected() const { return selected_; }
    void select(int position);
    void clearSelection();

    void clear();
    // Replaces every row at once (one reset for a view), with no selection.
    void assign(Rows rows);
    // Puts row in place of the row at position; the selection stays.
    void replace(int position, PlacementRow row);

    // Observers are told in the order they were added.
    void addObserver(PlacementListObserver* observer);
    void removeObserver(PlacementListObserver* observer);

private:
    void check(int position) const;

    Rows rows_;
    std::optional<int> selected_;
    template <typename Call>
    void notify(Call call) {
        for (PlacementListObserver* observer : observers_) call(*observer);
    }
    std::vector<PlacementListObserver*> observers_;
};

}  // namespace qrn
