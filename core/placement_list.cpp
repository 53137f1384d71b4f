#include "core/placement_list.h"

#include <algorithm>
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
    notify([&](PlacementListObserver& o) { o.beforeInsert(position); });
    rows_.push_back(std::move(row));
    notify([&](PlacementListObserver& o) { o.afterInsert(); });
}

void PlacementList::insert(int position, PlacementRow row) {
    if (position != count() + 1) check(position);
    notify([&](PlacementListObserver& o) { o.beforeInsert(position); });
    rows_.insert(rows_.begin() + (position - 1), std::move(row));
    if (selected_ && *selected_ >= position) ++*selected_;
    notify([&](PlacementListObserver& o) { o.afterInsert(); });
}

void PlacementList::remove(int position) {
    check(position);
    notify([&](PlacementListObserver& o) { o.beforeRemove(position); });
    const bool selectionChanged = selected_.has_value() && *selected_ >= position;
    rows_.erase(rows_.begin() + (position - 1));
    if (selected_ && *selected_ == position)
        selected_.reset();
    else if (selected_ && *selected_ > position)
        --*selected_;
    notify([](PlacementListObserver& o) { o.afterRemove(); });
    if (selectionChanged) notify([](PlacementListObserver& o) { o.selectionChanged(); });
}

const PlacementRow& PlacementList::row(int position) const {
    check(position);
    return rows_[std::size_t(position - 1)];
}

void PlacementList::swapWithNext(int position) {
    check(position);
    check(position + 1);
    notify([&](PlacementListObserver& o) { o.beforeSwap(position); });
    std::swap(rows_[std::size_t(position - 1)], rows_[std::size_t(position)]);
    bool moved = false;
    if (selected_ == position) {
        selected_ = position + 1;
        moved = true;
    } else if (selected_ == position + 1) {
        selected_ = position;
        moved = true;
    }
    notify([](PlacementListObserver& o) { o.afterSwap(); });
    if (moved) notify([](PlacementListObserver& o) { o.selectionChanged(); });
}

void PlacementList::select(int position) {
    check(position);
    if (selected_ == position) return;
    selected_ = position;
    notify([&](PlacementListObserver& o) { o.selectionChanged(); });
}

void PlacementList::clearSelection() {
    if (!selected_) return;
    selected_.reset();
    notify([&](PlacementListObserver& o) { o.selectionChanged(); });
}

void PlacementList::clear() {
    assign({});
}

void PlacementList::assign(Rows rows) {
    notify([&](PlacementListObserver& o) { o.beforeReset(); });
    rows_ = std::move(rows);
    const bool hadSelection = selected_.has_value();
    selected_.reset();
    notify([](PlacementListObserver& o) { o.afterReset(); });
    if (hadSelection) notify([](PlacementListObserver& o) { o.selectionChanged(); });
}

void PlacementList::replace(int position, PlacementRow row) {
    check(position);
    notify([&](PlacementListObserver& o) { o.beforeReplace(position); });
    rows_[std::size_t(position - 1)] = std::move(row);
    notify([](PlacementListObserver& o) { o.afterReplace(); });
}

void PlacementList::addObserver(PlacementListObserver* observer) {
    observers_.push_back(observer);
}

void PlacementList::removeObserver(PlacementListObserver* observer) {
    std::erase(observers_, observer);
}

}  // namespace qrn
