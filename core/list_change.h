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
        enum class Kind { Insert, Remove, Move, Replace, Reset } kind;
        int position = 0;
        int count = 0, to = 0;       // a move's rows and where they went
        PlacementList::Rows before;  // the removed or replaced rows, or every row before a reset
        PlacementList::Rows after;   // the inserted or new rows, or every row after a reset
    };
    class Recorder;

    std::vector<Step> steps_;
    PlacementList::Selection selectedBefore_;
    PlacementList::Selection selectedAfter_;
};

}  // namespace qrn
