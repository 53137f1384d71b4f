#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/map_geometry.h"
#include "core/placement_list.h"

namespace qrn {

class Catalogue;

// A rectangle in map units (tile x covers x to x + 1), for a view's visible area.
struct MapArea {
    double left = 0, bottom = 0, right = 0, top = 0;
};

// The map's picture of a placement list: one MapEntry a row, kept in step through the list's
// observer calls (one row's entry is redone per change), and a spatial index over the rows on
// the map, a uniform grid of square buckets kCellSize tiles wide, each holding the positions
// of the rows whose region reaches into it. A region over more than kWideCells buckets is kept
// in a short list of its own, looked at by every query. Inserting or removing a row renumbers
// the positions held after it (plain integer work, no entry redone); a long block of rows
// inserted, removed or moved takes every row again.
class MapModel : private PlacementListObserver {
public:
    static constexpr std::int64_t kCellSize = 16;
    static constexpr std::int64_t kWideCells = 64;

    // catalogue gives the ages; it may be null or loaded later (then call rebuild()).
    MapModel(PlacementList& list, const Catalogue* catalogue);
    ~MapModel() override;
    MapModel(const MapModel&) = delete;
    MapModel& operator=(const MapModel&) = delete;

    // Takes every row again.
    void rebuild();

    const PlacementList& list() const { return list_; }
    int count() const { return int(entries_.size()); }
    // Position from 1.
    const MapEntry& entry(int position) const { return entries_[std::size_t(position - 1)]; }
    // Rows whose X or Y is not a whole number.
    int offMapCount() const { return offMap_; }
    // All regions of the rows on the map together; none when no row is on it.
    std::optional<TileRect> bounds() const;

    // The row whose marker centre lies nearest (x, y), no farther than reach on either axis;
    // the later row (drawn on top) on a tie.
    std::optional<int> markerAt(double x, double y, double reach) const;
    // The rows other than except whose regions meet region, in list order.
    std::vector<int> overlapsOf(const TileRect& region, int except) const;
    std::vector<int> overlapsOf(int position) const {
        return overlapsOf(entry(position).region, position);
    }
    // The rows whose region meets area, in list order. False, with out incomplete, as soon as
    // there are more than limit.
    bool inside(const TileRect& area, std::size_t limit, std::vector<int>& out) const;
    // Markers counted over a cols x rows grid laid on area, row 0 at the top (north): counts
    // and, per cell, the age of the last row counted there.
    void density(const MapArea& area, int cols, int rows, std::vector<std::uint32_t>& counts,
                 std::vector<MapAge>& ages) const;

    // Called after every change of the rows, and after the list's selection changed.
    std::function<void()> rowsChanged;
    std::function<void()> selectionMoved;

private:
    struct CellRange {
        std::int64_t x0, y0, x1, y1;
        std::int64_t size() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
    };
    static CellRange cellsOf(const TileRect& r);
    void index(int position);
    void unindex(int position);
    void shift(int from, int by);
    // Calls visit(position) once for each row whose region may meet area; stops when visit
    // returns false.
    template <typename Visit>
    bool candidates(const TileRect& area, Visit visit) const;
    void changed();

    // Blocks of more than kFewRows rows are taken again whole.
    static constexpr int kFewRows = 64;
    void beforeInsert(int position, int count) override {
        pending_ = position;
        pendingCount_ = count;
    }
    void afterInsert() override;
    void beforeRemove(int position, int count) override;
    void afterRemove() override;
    void beforeMove(int first, int count, int to) override;
    void afterMove() override;
    void beforeReset() override {}
    void afterReset() override { rebuild(); }
    void beforeReplace(int position) override { pending_ = position; }
    void afterReplace() override;
    void selectionChanged() override {
        if (selectionMoved) selectionMoved();
    }

    PlacementList& list_;
    const Catalogue* catalogue_;
    std::vector<MapEntry> entries_;
    int offMap_ = 0;
    int pending_ = 0, pendingCount_ = 0, pendingTo_ = 0;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
    std::vector<int> wide_;
    // Visit marks, so that a row in several buckets is seen once per query.
    mutable std::vector<std::uint32_t> seen_;
    mutable std::uint32_t visit_ = 0;
};

// The rows on the map whose marker lies outside size, and the rows that cannot be drawn (X or
// Y not a whole number), each in list order.
std::vector<int> rowsOutside(const MapModel& model, const MapSize& size);
std::vector<int> rowsNotDrawn(const MapModel& model);

// Placements that share a tile, drawn as one marker: the last of them in list order (drawn on
// top) and how many there are.
struct MarkerGroup {
    int top = 0;
    int count = 0;
};
// The groups of rows (positions on the map), in the order of each group's top row.
std::vector<MarkerGroup> groupByTile(const MapModel& model, const std::vector<int>& rows);

}  // namespace qrn
