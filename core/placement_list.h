#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "core/placement_row.h"

namespace qrn {

// Told of every change to a PlacementList, before and after, so that a view can follow it
// (a Qt model adapter turns these into beginInsertRows/endInsertRows and so on). Positions
// are the list's own, from 1. A block of rows comes as one call, however long.
class PlacementListObserver {
public:
    virtual ~PlacementListObserver() = default;
    // count rows go in from position on.
    virtual void beforeInsert(int position, int count) = 0;
    virtual void afterInsert() = 0;
    // The count rows from position on go.
    virtual void beforeRemove(int position, int count) = 0;
    virtual void afterRemove() = 0;
    // The count rows from first on move, in their order, so that the first of them is at to
    // afterwards; the rows they pass shift to make room. Two neighbours exchanging places is
    // the upper one moved one down.
    virtual void beforeMove(int first, int count, int to) = 0;
    virtual void afterMove() = 0;
    virtual void beforeReset() = 0;
    virtual void afterReset() = 0;
    // The row at position is replaced by another.
    virtual void beforeReplace(int position) = 0;
    virtual void afterReplace() = 0;
    virtual void selectionChanged() = 0;
};

// The ordered rows of one editor window, positions 1 to count, and its selection: any set of
// rows, one of them the current row (selected()), which the one-row commands act on. With
// rows selected there is always a current row among them. Selected rows stay selected, and
// the current row current, whatever moves them. A position outside 1 to count is an
// IndexError and changes nothing.
class PlacementList {
public:
    // The rows in a deque: a list grows to any length without its rows being moved or its
    // memory touched twice, and an insertion or removal moves only the rows on its shorter side.
    using Rows = std::deque<PlacementRow>;
    // Runs of selected rows, first and last position, top to bottom, none touching another.
    using Runs = std::vector<std::pair<int, int>>;
    struct Selection {
        Runs runs;
        std::optional<int> current;
        bool operator==(const Selection&) const = default;
    };

    int count() const { return int(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    void append(PlacementRow row);
    void insert(int position, PlacementRow row);
    // Inserts rows, unselected, from position (1 to count + 1) on.
    void insertRows(int position, Rows rows);
    // A removed current row leaves the first row still selected current, if any.
    void remove(int position);
    void removeRows(int position, int count);
    const PlacementRow& row(int position) const;
    // Exchanges the rows at position and position + 1; a selection on either follows its row.
    void swapWithNext(int position);
    // Moves the count rows from first on so that the first of them is at to, keeping the order
    // of every row otherwise (see PlacementListObserver::beforeMove).
    void moveRows(int first, int count, int to);

    // The current row.
    std::optional<int> selected() const { return selected_; }
    // Selects the row at position, and only it.
    void select(int position);
    void clearSelection();
    // Ctrl+click: adds the row to the selection as the current row, or takes it out.
    void toggle(int position);
    void selectAll();
    bool isSelected(int position) const;
    int selectionCount() const { return markCount_; }
    Selection selection() const;
    // Replaces the selection; a current row outside the runs is added to them, and runs
    // without a current row make their first row current.
    void setSelection(const Selection& selection);
    // The selected rows, top to bottom.
    std::vector<int> selectedPositions() const;
    Rows selectedRows() const;

    void clear();
    // Replaces every row at once (one reset for a view), with no selection.
    void assign(Rows rows);
    // Puts row in place of the row at position; the selection stays.
    void replace(int position, PlacementRow row);
    const Rows& rows() const { return rows_; }

    // Observers are told in the order they were added.
    void addObserver(PlacementListObserver* observer);
    void removeObserver(PlacementListObserver* observer);

private:
    void check(int position) const;

    void selectionChangedNow();
    void keepCurrentSelected();

    Rows rows_;
    std::vector<unsigned char> marks_;  // 1 for a selected row, beside rows_
    int markCount_ = 0;
    std::optional<int> selected_;
    template <typename Call>
    void notify(Call call) {
        for (PlacementListObserver* observer : observers_) call(*observer);
    }
    std::vector<PlacementListObserver*> observers_;
};

}  // namespace qrn
