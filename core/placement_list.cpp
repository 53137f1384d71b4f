#include "core/placement_list.h"

#include <iterator>

#include "base/errors.h"
#include "base/text.h"

namespace qrn {

void PlacementList::check(int position) const {
    if (position < 1 || position > count()) {
        throw IndexError(u"position " + decimal(position) + u" hors de la liste (1 à " +
                         decimal(count()) + u")");
    }
}

void PlacementList::append(PlacementRow row) {
    const int position = count() + 1;
    if (observer_) observer_->beforeInsert(position);
    rows_.push_back(std::move(row));
    if (observer_) observer_->afterInsert();
}

void PlacementList::insert(int position, PlacementRow row) {
    if (position != count() + 1) check(position);
    if (observer_) observer_->beforeInsert(position);
    rows_.insert(rows_.begin() + (position - 1), std::move(row));
    if (selected_ && *selected_ >= position) ++*selected_;
    if (observer_) observer_->afterInsert();
}

void PlacementList::remove(int position) {
    check(position);
    if (observer_) observer_->beforeRemove(position);
    const bool selectionChanged = selected_.has_value() && *selected_ >= position;
    rows_.erase(rows_.begin() + (position - 1));
    if (selected_ && *selected_ == position)
        selected_.reset();
    else if (selected_ && *selected_ > position)
        --*selected_;
    if (observer_) {
        observer_->afterRemove();
        if (selectionChanged) observer_->selectionChanged();
    }
}

const PlacementRow& PlacementList::row(int position) const {
    check(position);
    return rows_[std::size_t(position - 1)];
}

void PlacementList::swapWithNext(int position) {
    check(position);
    check(position + 1);
    if (observer_) observer_->beforeSwap(position);
    std::swap(rows_[std::size_t(position - 1)], rows_[std::size_t(position)]);
    bool moved = false;
    if (selected_ == position) {
        selected_ = position + 1;
        moved = true;
    } else if (selected_ == position + 1) {
        selected_ = position;
        moved = true;
    }
    if (observer_) {
        observer_->afterSwap();
        if (moved) observer_->selectionChanged();
    }
}

void PlacementList::select(int position) {
    check(position);
    if (selected_ == position) return;
    selected_ = position;
    if (observer_) observer_->selectionChanged();
}

void PlacementList::clearSelection() {
    if (!selected_) return;
    selected_.reset();
    if (observer_) observer_->selectionChanged();
}

void PlacementList::clear() {
    assign({});
}

void PlacementList::assign(Rows rows) {
    if (observer_) observer_->beforeReset();
    rows_ = std::move(rows);
    const bool hadSelection = selected_.has_value();
    selected_.reset();
    if (observer_) {
        observer_->afterReset();
        if (hadSelection) observer_->selectionChanged();
    }
}

}  // namespace qrn
