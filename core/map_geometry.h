#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "core/placement_row.h"

namespace qrn {

class Catalogue;

// The map's tile grid: X grows east (to the right), Y grows north (up). Tile (x, y) covers the
// unit square from x to x + 1 and from y to y + 1 in map units.

// The age a building belongs to, from its catalogue age code, for the map's colours.
enum class MapAge : std::uint8_t { Stone, Tool, Bronze, Iron, Other };
inline constexpr int kMapAgeCount = 5;
// "15" Stone, "14" Tool, "12" Bronze, "8" Iron, compared exactly as the picker's age filter
// does; anything else is Other.
MapAge mapAgeOf(std::u16string_view ageCode);

// Coordinates the map takes: up to nine digits, so that sums of coordinates and offsets stay
// far inside 64 bits and a tile's place inside a double is exact.
inline constexpr std::int32_t kMapCoordinateLimit = 999'999'999;

// One hash key for a pair of grid numbers (tiles, or cells of tiles or pixels), each taken
// modulo 2^32.
inline std::uint64_t gridKey(std::int64_t x, std::int64_t y) {
    return (std::uint64_t(std::uint32_t(x)) << 32) | std::uint32_t(y);
}

// The value of a text that is exactly a whole number: an optional "+" or "-" followed by
// decimal digits, nothing else (no spaces). Longer than kMapCoordinateLimit allows: none.
std::optional<std::int32_t> wholeNumber(std::u16string_view text);

// A rectangle of whole tiles, its edges included: left <= right, bottom <= top.
struct TileRect {
    std::int64_t left = 0, bottom = 0, right = 0, top = 0;

    bool intersects(const TileRect& o) const {
        return left <= o.right && o.left <= right && bottom <= o.top && o.bottom <= top;
    }
    bool contains(std::int64_t x, std::int64_t y) const {
        return left <= x && x <= right && bottom <= y && y <= top;
    }
    // Only meaningful when the two intersect.
    TileRect intersection(const TileRect& o) const {
        return {std::max(left, o.left), std::max(bottom, o.bottom), std::min(right, o.right),
                std::min(top, o.top)};
    }
    TileRect united(const TileRect& o) const {
        return {std::min(left, o.left), std::min(bottom, o.bottom), std::max(right, o.right),
                std::max(top, o.top)};
    }
    bool operator==(const TileRect&) const = default;
};

// What the map shows of one row. A row is on the map when its X and Y are whole numbers; its
// region, where the game may put the building, runs from X - O to X + E and from Y - S to
// Y + N (an offset that is not a whole number counts as 0; negative offsets are taken as
// they come and the edges put in order).
struct MapEntry {
    bool onMap = false;
    std::int32_t x = 0, y = 0;
    TileRect region;
    MapAge age = MapAge::Other;
};

// The row's entry; the age comes from catalogue when it is given and holds the row's index.
MapEntry mapEntryOf(const PlacementRow& row, const Catalogue* catalogue);

// A row with X and Y replaced by the decimal texts of x and y: building, offsets and index
// kept. What a move on the map puts in the list.
PlacementRow movedRow(const PlacementRow& row, std::int32_t x, std::int32_t y);

// A view of the map on a screen: the map point at its middle, pixels a tile and the screen's
// size in pixels. Screen y grows downwards, the map's Y upwards.
struct MapViewport {
    double centreX = 0, centreY = 0, scale = 16;
    double width = 0, height = 0;

    double screenX(double x) const { return (x - centreX) * scale + width / 2; }
    double screenY(double y) const { return height / 2 - (y - centreY) * scale; }
    double mapX(double px) const { return (px - width / 2) / scale + centreX; }
    double mapY(double py) const { return centreY - (py - height / 2) / scale; }
    // The tile under the screen point; none beyond the coordinates the map takes.
    std::optional<std::pair<std::int32_t, std::int32_t>> tileAt(double px, double py) const;
};

// The map's size set in the options: tiles 0 to width - 1 and 0 to height - 1.
struct MapSize {
    std::int64_t width = 0, height = 0;
    bool contains(std::int64_t x, std::int64_t y) const {
        return 0 <= x && x < width && 0 <= y && y < height;
    }
};
// The size the two option texts give: none unless both are whole numbers above 0.
std::optional<MapSize> mapSizeOf(std::u16string_view width, std::u16string_view height);

}  // namespace qrn
