#include "core/list_change.h"

#include <exception>

namespace qrn {

// Writes down each change as the list announces it.
class ListChange::Recorder : public PlacementListObserver {
public:
    Recorder(PlacementList& list, std::vector<Step>& steps) : list_(list), steps_(steps) {}

    void beforeInsert(int position, int count) override {
        steps_.push_back({Step::Kind::Insert, position, count, 0, {}, {}});
    }
    void afterInsert() override { copy(steps_.back().after); }
    void beforeRemove(int position, int count) override {
        steps_.push_back({Step::Kind::Remove, position, count, 0, {}, {}});
        copy(steps_.back().before);
    }
    void afterRemove() override {}
    void beforeMove(int first, int count, int to) override {
        steps_.push_back({Step::Kind::Move, first, count, to, {}, {}});
    }
    void afterMove() override {}
    void beforeReset() override {
        steps_.push_back({Step::Kind::Reset, 1, list_.count(), 0, {}, {}});
        copy(steps_.back().before);
    }
    void afterReset() override {
        steps_.back().count = list_.count();
        copy(steps_.back().after);
    }
    void beforeReplace(int position) override {
        steps_.push_back({Step::Kind::Replace, position, 1, 0, {}, {}});
        copy(steps_.back().before);
    }
    void afterReplace() override { copy(steps_.back().after); }
    void selectionChanged() override {}

private:
    // The rows the last step names, as they are now.
    void copy(PlacementList::Rows& out) const {
        const Step& step = steps_.back();
        const auto first = list_.rows().begin() + (step.position - 1);
        out.assign(first, first + step.count);
    }

    PlacementList& list_;
    std::vector<Step>& steps_;
};

ListChange ListChange::record(PlacementList& list, const std::function<void()>& action) {
    ListChange change;
    change.selectedBefore_ = list.selection();
    Recorder recorder(list, change.steps_);
    list.addObserver(&recorder);
    try {
        action();
    } catch (...) {
        change.failure = std::current_exception();
    }
    list.removeObserver(&recorder);
    change.selectedAfter_ = list.selection();
    return change;
}

void ListChange::undo(PlacementList& list) const {
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
        switch (step->kind) {
            case Step::Kind::Remove:
                list.insertRows(step->position, step->before);
                break;
            case Step::Kind::Move:
                list.moveRows(step->to, step->count, step->position);
                break;
            case Step::Kind::Replace:
                list.replace(step->position, step->before.front());
                break;
            case Step::Kind::Insert:
                list.removeRows(step->position, step->count);
                break;
            case Step::Kind::Reset:
                list.assign(step->before);
                break;
        }
    }
    list.setSelection(selectedBefore_);
}

void ListChange::redo(PlacementList& list) const {
    for (const Step& step : steps_) {
        switch (step.kind) {
            case Step::Kind::Insert:
                list.insertRows(step.position, step.after);
                break;
            case Step::Kind::Remove:
                list.removeRows(step.position, step.count);
                break;
            case Step::Kind::Move:
                list.moveRows(step.position, step.count, step.to);
                break;
            case Step::Kind::Replace:
                list.replace(step.position, step.after.front());
                break;
            case Step::Kind::Reset:
                list.assign(step.after);
                break;
        }
    }
    list.setSelection(selectedAfter_);
}

void ListChange::append(ListChange next) {
    for (Step& step : next.steps_) steps_.push_back(std::move(step));
    selectedAfter_ = std::move(next.selectedAfter_);
}

}  // namespace qrn
