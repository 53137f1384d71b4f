#include "core/list_change.h"

#include <exception>

namespace qrn {

// Writes down each change as the list announces it.
class ListChange::Recorder : public PlacementListObserver {
public:
    Recorder(PlacementList& list, std::vector<Step>& steps) : list_(list), steps_(steps) {}

    void beforeInsert(int position) override { pending_ = position; }
    void afterInsert() override {
        steps_.push_back({Step::Kind::Insert, pending_, {}, {list_.row(pending_)}});
    }
    void beforeRemove(int position) override {
        steps_.push_back({Step::Kind::Remove, position, {list_.row(position)}, {}});
    }
    void afterRemove() override {}
    void beforeSwap(int position) override {
        steps_.push_back({Step::Kind::Swap, position, {}, {}});
    }
    void afterSwap() override {}
    void beforeReset() override {
        Step step{Step::Kind::Reset, 0, {}, {}};
        for (int p = 1; p <= list_.count(); ++p) step.before.push_back(list_.row(p));
        steps_.push_back(std::move(step));
    }
    void afterReset() override {
        for (int p = 1; p <= list_.count(); ++p) steps_.back().after.push_back(list_.row(p));
    }
    void beforeReplace(int position) override {
        steps_.push_back({Step::Kind::Replace, position, {list_.row(position)}, {}});
    }
    void afterReplace() override {
        steps_.back().after.push_back(list_.row(steps_.back().position));
    }
    void selectionChanged() override {}

private:
    PlacementList& list_;
    std::vector<Step>& steps_;
    int pending_ = 0;
};

ListChange ListChange::record(PlacementList& list, const std::function<void()>& action) {
    ListChange change;
    change.selectedBefore_ = list.selected();
    Recorder recorder(list, change.steps_);
    list.addObserver(&recorder);
    try {
        action();
    } catch (...) {
        change.failure = std::current_exception();
    }
    list.removeObserver(&recorder);
    change.selectedAfter_ = list.selected();
    return change;
}

void ListChange::select(PlacementList& list, std::optional<int> selected) {
    if (selected)
        list.select(*selected);
    else
        list.clearSelection();
}

void ListChange::undo(PlacementList& list) const {
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
        switch (step->kind) {
            case Step::Kind::Insert:
                list.remove(step->position);
                break;
            case Step::Kind::Remove:
                list.insert(step->position, step->before.front());
                break;
            case Step::Kind::Swap:
                list.swapWithNext(step->position);
                break;
            case Step::Kind::Replace:
                list.replace(step->position, step->before.front());
                break;
            case Step::Kind::Reset:
                list.assign(step->before);
                break;
        }
    }
    select(list, selectedBefore_);
}

void ListChange::redo(PlacementList& list) const {
    for (const Step& step : steps_) {
        switch (step.kind) {
            case Step::Kind::Insert:
                list.insert(step.position, step.after.front());
                break;
            case Step::Kind::Remove:
                list.remove(step.position);
                break;
            case Step::Kind::Swap:
                list.swapWithNext(step.position);
                break;
            case Step::Kind::Replace:
                list.replace(step.position, step.after.front());
                break;
            case Step::Kind::Reset:
                list.assign(step.after);
                break;
        }
    }
    select(list, selectedAfter_);
}

void ListChange::append(ListChange next) {
    for (Step& step : next.steps_) steps_.push_back(std::move(step));
    selectedAfter_ = next.selectedAfter_;
}

}  // namespace qrn
