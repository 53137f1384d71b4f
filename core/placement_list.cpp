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

void PlacementList::selectionChangedNow() {
    notify([](PlacementListObserver& o) { o.selectionChanged(); });
}

// After rows left: a current row that went gives its place to the first row still selected.
void PlacementList::keepCurrentSelected() {
    if (selected_ || markCount_ == 0) return;
    selected_ = int(std::find(marks_.begin(), marks_.end(), 1) - marks_.begin()) + 1;
}

void PlacementList::append(PlacementRow row) {
    insert(count() + 1, std::move(row));
}

void PlacementList::insert(int position, PlacementRow row) {
    Rows rows;
    rows.push_back(std::move(row));
    insertRows(position, std::move(rows));
}

void PlacementList::insertRows(int position, Rows rows) {
    if (position != count() + 1) check(position);
    const int n = int(rows.size());
    if (n == 0) return;
    notify([&](PlacementListObserver& o) { o.beforeInsert(position, n); });
    const auto at = rows_.begin() + (position - 1);
    if (n == 1)
        rows_.insert(at, std::move(rows.front()));
    else
        rows_.insert(at, std::make_move_iterator(rows.begin()),
                     std::make_move_iterator(rows.end()));
    marks_.insert(marks_.begin() + (position - 1), std::size_t(n), 0);
    if (selected_ && *selected_ >= position) *selected_ += n;
    notify([&](PlacementListObserver& o) { o.afterInsert(); });
}

void PlacementList::remove(int position) {
    removeRows(position, 1);
}

void PlacementList::removeRows(int position, int n) {
    check(position);
    if (n <= 0) return;
    check(position + n - 1);
    notify([&](PlacementListObserver& o) { o.beforeRemove(position, n); });
    const bool selectionChanged = selected_.has_value() && *selected_ >= position;
    const auto first = std::size_t(position - 1), last = first + std::size_t(n);
    rows_.erase(rows_.begin() + std::ptrdiff_t(first), rows_.begin() + std::ptrdiff_t(last));
    markCount_ -= int(std::count(marks_.begin() + std::ptrdiff_t(first),
                                 marks_.begin() + std::ptrdiff_t(last), 1));
    marks_.erase(marks_.begin() + std::ptrdiff_t(first), marks_.begin() + std::ptrdiff_t(last));
    if (selected_ && *selected_ >= position + n)
        *selected_ -= n;
    else if (selected_ && *selected_ >= position)
        selected_.reset();
    keepCurrentSelected();
    notify([](PlacementListObserver& o) { o.afterRemove(); });
    if (selectionChanged) selectionChangedNow();
}

const PlacementRow& PlacementList::row(int position) const {
    check(position);
    return rows_[std::size_t(position - 1)];
}

void PlacementList::swapWithNext(int position) {
    check(position + 1);
    moveRows(position, 1, position + 1);
}

void PlacementList::moveRows(int first, int n, int to) {
    check(first);
    if (n <= 0) return;
    check(first + n - 1);
    check(to);
    check(to + n - 1);
    if (to == first) return;
    notify([&](PlacementListObserver& o) { o.beforeMove(first, n, to); });
    // The rows from the upper of first and to to the lower block end turn round by n.
    const int top = std::min(first, to), end = std::max(first, to) + n;  // end: one past
    const std::ptrdiff_t shift = first < to ? n : first - to;
    const auto rotate = [&](auto& v) {
        std::rotate(v.begin() + (top - 1), v.begin() + (top - 1) + shift, v.begin() + (end - 1));
    };
    rotate(rows_);
    rotate(marks_);
    bool moved = false;
    if (selected_ && *selected_ >= top && *selected_ < end) {
        const int p = *selected_;
        if (p >= first && p < first + n)
            selected_ = p + (to - first);
        else
            selected_ = first < to ? p - n : p + n;
        moved = true;
    }
    notify([](PlacementListObserver& o) { o.afterMove(); });
    if (moved) selectionChangedNow();
}

void PlacementList::select(int position) {
    check(position);
    if (selected_ == position && markCount_ == 1) return;
    // One row selected, the common case, is cleared without a pass over the list.
    if (markCount_ == 1 && selected_)
        marks_[std::size_t(*selected_ - 1)] = 0;
    else if (markCount_ > 0)
        std::fill(marks_.begin(), marks_.end(), 0);
    marks_[std::size_t(position - 1)] = 1;
    markCount_ = 1;
    selected_ = position;
    selectionChangedNow();
}

void PlacementList::clearSelection() {
    if (!selected_ && markCount_ == 0) return;
    std::fill(marks_.begin(), marks_.end(), 0);
    markCount_ = 0;
    selected_.reset();
    selectionChangedNow();
}

void PlacementList::toggle(int position) {
    check(position);
    unsigned char& mark = marks_[std::size_t(position - 1)];
    if (mark) {
        mark = 0;
        --markCount_;
        if (selected_ == position) selected_.reset();
        keepCurrentSelected();
    } else {
        mark = 1;
        ++markCount_;
        selected_ = position;
    }
    selectionChangedNow();
}

void PlacementList::selectAll() {
    if (empty() || markCount_ == count()) return;
    std::fill(marks_.begin(), marks_.end(), 1);
    markCount_ = count();
    if (!selected_) selected_ = 1;
    selectionChangedNow();
}

bool PlacementList::isSelected(int position) const {
    check(position);
    return marks_[std::size_t(position - 1)] != 0;
}

PlacementList::Selection PlacementList::selection() const {
    Selection s{{}, selected_};
    if (markCount_ == 0) return s;
    if (markCount_ == 1 && selected_) {
        s.runs.emplace_back(*selected_, *selected_);
        return s;
    }
    const int n = count();
    for (int p = 0; p < n;) {
        if (!marks_[std::size_t(p)]) {
            ++p;
            continue;
        }
        int q = p;
        while (q + 1 < n && marks_[std::size_t(q + 1)]) ++q;
        s.runs.emplace_back(p + 1, q + 1);
        p = q + 1;
    }
    return s;
}

void PlacementList::setSelection(const Selection& selection) {
    for (const auto& [first, last] : selection.runs) {
        check(first);
        check(last);
        if (first > last) check(0);
    }
    if (selection.current) check(*selection.current);
    if (selection == this->selection()) return;
    std::fill(marks_.begin(), marks_.end(), 0);
    for (const auto& [first, last] : selection.runs)
        std::fill(marks_.begin() + (first - 1), marks_.begin() + last, 1);
    if (selection.current) marks_[std::size_t(*selection.current - 1)] = 1;
    markCount_ = int(std::count(marks_.begin(), marks_.end(), 1));
    selected_ = selection.current;
    keepCurrentSelected();
    selectionChangedNow();
}

std::vector<int> PlacementList::selectedPositions() const {
    std::vector<int> out;
    out.reserve(std::size_t(markCount_));
    for (std::size_t i = 0; i < marks_.size() && out.size() < std::size_t(markCount_); ++i)
        if (marks_[i]) out.push_back(int(i) + 1);
    return out;
}

PlacementList::Rows PlacementList::selectedRows() const {
    Rows out;
    for (std::size_t i = 0; i < marks_.size(); ++i)
        if (marks_[i]) out.push_back(rows_[i]);
    return out;
}

void PlacementList::clear() {
    assign({});
}

void PlacementList::assign(Rows rows) {
    notify([&](PlacementListObserver& o) { o.beforeReset(); });
    rows_ = std::move(rows);
    marks_.assign(rows_.size(), 0);
    const bool hadSelection = selected_.has_value() || markCount_ > 0;
    markCount_ = 0;
    selected_.reset();
    notify([](PlacementListObserver& o) { o.afterReset(); });
    if (hadSelection) selectionChangedNow();
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
