#include "core/map_model.h"

#include <algorithm>
#include <cmath>

namespace qrn {

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

void eraseOne(std::vector<int>& v, int position) {
    const auto it = std::find(v.begin(), v.end(), position);
    if (it != v.end()) {
        *it = v.back();
        v.pop_back();
    }
}

}  // namespace

MapModel::MapModel(PlacementList& list, const Catalogue* catalogue)
    : list_(list), catalogue_(catalogue) {
    list_.addObserver(this);
    rebuild();
}

MapModel::~MapModel() {
    list_.removeObserver(this);
}

void MapModel::rebuild() {
    cells_.clear();
    wide_.clear();
    entries_.clear();
    offMap_ = 0;
    entries_.reserve(std::size_t(list_.count()));
    for (int p = 1; p <= list_.count(); ++p) {
        entries_.push_back(mapEntryOf(list_.row(p), catalogue_));
        index(p);
    }
    seen_.assign(entries_.size(), 0);
    changed();
}

std::optional<TileRect> MapModel::bounds() const {
    std::optional<TileRect> all;
    for (const MapEntry& e : entries_)
        if (e.onMap) all = all ? all->united(e.region) : e.region;
    return all;
}

MapModel::CellRange MapModel::cellsOf(const TileRect& r) {
    return {floorDiv(r.left, kCellSize), floorDiv(r.bottom, kCellSize),
            floorDiv(r.right, kCellSize), floorDiv(r.top, kCellSize)};
}

void MapModel::index(int position) {
    const MapEntry& e = entry(position);
    if (!e.onMap) {
        ++offMap_;
        return;
    }
    const CellRange cells = cellsOf(e.region);
    if (cells.size() > kWideCells) {
        wide_.push_back(position);
        return;
    }
    for (std::int64_t cx = cells.x0; cx <= cells.x1; ++cx)
        for (std::int64_t cy = cells.y0; cy <= cells.y1; ++cy)
            cells_[gridKey(cx, cy)].push_back(position);
}

void MapModel::unindex(int position) {
    const MapEntry& e = entry(position);
    if (!e.onMap) {
        --offMap_;
        return;
    }
    const CellRange cells = cellsOf(e.region);
    if (cells.size() > kWideCells) {
        eraseOne(wide_, position);
        return;
    }
    for (std::int64_t cx = cells.x0; cx <= cells.x1; ++cx) {
        for (std::int64_t cy = cells.y0; cy <= cells.y1; ++cy) {
            const auto it = cells_.find(gridKey(cx, cy));
            if (it == cells_.end()) continue;
            eraseOne(it->second, position);
            if (it->second.empty()) cells_.erase(it);
        }
    }
}

void MapModel::shift(int from, int by) {
    const auto move = [from, by](std::vector<int>& v) {
        for (int& p : v)
            if (p >= from) p += by;
    };
    for (auto& [k, v] : cells_) move(v);
    move(wide_);
}

template <typename Visit>
bool MapModel::candidates(const TileRect& area, Visit visit) const {
    if (seen_.size() != entries_.size()) seen_.assign(entries_.size(), 0);
    if (++visit_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        visit_ = 1;
    }
    const auto once = [&](int p) {
        std::uint32_t& mark = seen_[std::size_t(p - 1)];
        if (mark == visit_) return true;
        mark = visit_;
        return visit(p);
    };
    for (const int p : wide_)
        if (!once(p)) return false;
    const CellRange range = cellsOf(area);
    if (range.size() > std::int64_t(cells_.size())) {
        for (const auto& [k, v] : cells_)
            for (const int p : v)
                if (!once(p)) return false;
        return true;
    }
    for (std::int64_t cx = range.x0; cx <= range.x1; ++cx) {
        for (std::int64_t cy = range.y0; cy <= range.y1; ++cy) {
            const auto it = cells_.find(gridKey(cx, cy));
            if (it == cells_.end()) continue;
            for (const int p : it->second)
                if (!once(p)) return false;
        }
    }
    return true;
}

std::optional<int> MapModel::markerAt(double x, double y, double reach) const {
    const TileRect area{std::int64_t(std::floor(x - reach - 1)),
                        std::int64_t(std::floor(y - reach - 1)),
                        std::int64_t(std::floor(x + reach)), std::int64_t(std::floor(y + reach))};
    std::optional<int> best;
    double bestDistance = 0;
    candidates(area, [&](int p) {
        const MapEntry& e = entry(p);
        const double d = std::max(std::abs(e.x + 0.5 - x), std::abs(e.y + 0.5 - y));
        if (d <= reach && (!best || d < bestDistance || (d == bestDistance && p > *best))) {
            best = p;
            bestDistance = d;
        }
        return true;
    });
    return best;
}

std::vector<int> MapModel::overlapsOf(const TileRect& region, int except) const {
    std::vector<int> found;
    candidates(region, [&](int p) {
        if (p != except && entry(p).region.intersects(region)) found.push_back(p);
        return true;
    });
    std::sort(found.begin(), found.end());
    return found;
}

bool MapModel::inside(const TileRect& area, std::size_t limit, std::vector<int>& out) const {
    out.clear();
    const bool complete = candidates(area, [&](int p) {
        if (!entry(p).region.intersects(area)) return true;
        out.push_back(p);
        return out.size() <= limit;
    });
    std::sort(out.begin(), out.end());
    return complete;
}

void MapModel::density(const MapArea& area, int cols, int rows, std::vector<std::uint32_t>& counts,
                       std::vector<MapAge>& ages) const {
    counts.assign(std::size_t(cols) * std::size_t(rows), 0);
    ages.assign(counts.size(), MapAge::Other);
    const double sx = cols / (area.right - area.left), sy = rows / (area.top - area.bottom);
    for (const MapEntry& e : entries_) {
        if (!e.onMap) continue;
        const double col = (e.x + 0.5 - area.left) * sx, row = (area.top - e.y - 0.5) * sy;
        if (col < 0 || row < 0 || col >= cols || row >= rows) continue;
        const std::size_t i = std::size_t(row) * std::size_t(cols) + std::size_t(col);
        ++counts[i];
        ages[i] = e.age;
    }
}

void MapModel::changed() {
    if (rowsChanged) rowsChanged();
}

void MapModel::afterInsert() {
    const int p = pending_, n = pendingCount_;
    if (n > kFewRows) return rebuild();
    shift(p, n);
    for (int i = 0; i < n; ++i) {
        entries_.insert(entries_.begin() + (p - 1 + i), mapEntryOf(list_.row(p + i), catalogue_));
        seen_.push_back(0);
        index(p + i);
    }
    changed();
}

void MapModel::beforeRemove(int position, int count) {
    pendingCount_ = count;
    if (count > kFewRows) return;
    for (int i = 0; i < count; ++i) unindex(position + i);
    entries_.erase(entries_.begin() + (position - 1), entries_.begin() + (position - 1 + count));
    seen_.resize(entries_.size());
    shift(position + count, -count);
}

void MapModel::afterRemove() {
    if (pendingCount_ > kFewRows) return rebuild();
    changed();
}

void MapModel::beforeMove(int first, int count, int to) {
    pending_ = first;
    pendingCount_ = count;
    pendingTo_ = to;
}

void MapModel::afterMove() {
    const int top = std::min(pending_, pendingTo_);
    const int end = std::max(pending_, pendingTo_) + pendingCount_;  // one past
    if (end - top > kFewRows) return rebuild();
    for (int p = top; p < end; ++p) unindex(p);
    const int shift = pending_ < pendingTo_ ? pendingCount_ : pending_ - pendingTo_;
    std::rotate(entries_.begin() + (top - 1), entries_.begin() + (top - 1 + shift),
                entries_.begin() + (end - 1));
    for (int p = top; p < end; ++p) index(p);
    changed();
}

void MapModel::afterReplace() {
    const int p = pending_;
    unindex(p);
    entries_[std::size_t(p - 1)] = mapEntryOf(list_.row(p), catalogue_);
    index(p);
    changed();
}

std::vector<int> rowsOutside(const MapModel& model, const MapSize& size) {
    std::vector<int> rows;
    for (int p = 1; p <= model.count(); ++p) {
        const MapEntry& e = model.entry(p);
        if (e.onMap && !size.contains(e.x, e.y)) rows.push_back(p);
    }
    return rows;
}

std::vector<int> rowsNotDrawn(const MapModel& model) {
    std::vector<int> rows;
    for (int p = 1; p <= model.count(); ++p)
        if (!model.entry(p).onMap) rows.push_back(p);
    return rows;
}

std::vector<MarkerGroup> groupByTile(const MapModel& model, const std::vector<int>& rows) {
    std::unordered_map<std::uint64_t, std::size_t> byTile;
    byTile.reserve(rows.size());
    std::vector<MarkerGroup> groups;
    for (const int p : rows) {
        const MapEntry& e = model.entry(p);
        const auto [at, added] = byTile.try_emplace(gridKey(e.x, e.y), groups.size());
        if (added)
            groups.push_back({p, 1});
        else
            groups[at->second] = {std::max(groups[at->second].top, p),
                                  groups[at->second].count + 1};
    }
    std::sort(groups.begin(), groups.end(),
              [](const MarkerGroup& a, const MarkerGroup& b) { return a.top < b.top; });
    return groups;
}

}  // namespace qrn
