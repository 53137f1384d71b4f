#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "core/placement_list.h"

namespace qrn {

// What one editing command did to a list, step by step, with the selection before and after:
// enough to undo it and to do it again exactly, rows, order and selection alike.
class ListChange {
public:
    // Runs action and records what it does to list. When action throws, what it did before
    // throwing is recorded all the same; the exception is passed on in `failure`.
    static ListChange record(PlacementList& list, const std::function<void()>& action);

    // True when no row was inserted, removed, moved or replaced.
    bool empty() const { return steps_.empty(); }
    void undo(PlacementList& list) const;
    void redo(PlacementList& list) const;
    // Appends what next did, as if both had been one change.
    void append(ListChange next);

    std::exception_ptr failure;

private:
    struct Step {
        enum class Kind { Insert, Remove, Swap, Replace, Reset } kind;
        int position = 0;
        PlacementList::Rows before;  // the removed or replaced row, or every row before a reset
        PlacementList::Rows after;   // the inserted or new row, or every row after a reset
    };
    class Recorder;

    static void select(PlacementList& list, std::optional<int> selected);

    std::vector<Step> steps_;
    std::optional<int> selectedBefore_;
    std::optional<int> selectedAfter_;
};

}  // namespace qrn
