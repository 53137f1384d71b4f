#include "core/map_geometry.h"

#include <cmath>
#include <string>

#include "base/text.h"
#include "core/catalogue.h"

namespace qrn {

MapAge mapAgeOf(std::u16string_view ageCode) {
    if (ageCode == u"15") return MapAge::Stone;
    if (ageCode == u"14") return MapAge::Tool;
    if (ageCode == u"12") return MapAge::Bronze;
    if (ageCode == u"8") return MapAge::Iron;
    return MapAge::Other;
}

std::optional<std::int32_t> wholeNumber(std::u16string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 12) return std::nullopt;
    std::int64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (value > kMapCoordinateLimit) return std::nullopt;
    return std::int32_t(negative ? -value : value);
}

MapEntry mapEntryOf(const PlacementRow& row, const Catalogue* catalogue) {
    MapEntry entry;
    const int index = row.index().value();
    if (catalogue && index >= 0 && index <= catalogue->count() && index <= Catalogue::kMaxIndex)
        entry.age = mapAgeOf(catalogue->field(index, Field::AgeCode));
    const std::optional<std::int32_t> x = wholeNumber(row.cell(Column::X));
    const std::optional<std::int32_t> y = wholeNumber(row.cell(Column::Y));
    if (!x || !y) return entry;
    const auto offset = [&row](Column c) -> std::int64_t {
        return wholeNumber(row.cell(c)).value_or(0);
    };
    entry.onMap = true;
    entry.x = *x;
    entry.y = *y;
    const std::int64_t west = *x - offset(Column::O), east = *x + offset(Column::E);
    const std::int64_t south = *y - offset(Column::S), north = *y + offset(Column::N);
    entry.region = {std::min(west, east), std::min(south, north), std::max(west, east),
                    std::max(south, north)};
    return entry;
}

PlacementRow movedRow(const PlacementRow& row, std::int32_t x, std::int32_t y) {
    const std::u16string xs = decimal(x), ys = decimal(y);
    return PlacementRow(row.building(),
                        {xs, ys, row.cell(Column::N), row.cell(Column::S), row.cell(Column::E),
                         row.cell(Column::O)},
                        row.index());
}

std::optional<std::pair<std::int32_t, std::int32_t>> MapViewport::tileAt(double px,
                                                                         double py) const {
    const double x = std::floor(mapX(px)), y = std::floor(mapY(py));
    const auto inRange = [](double v) { return std::abs(v) <= kMapCoordinateLimit; };
    if (!inRange(x) || !inRange(y)) return std::nullopt;
    return std::pair{std::int32_t(x), std::int32_t(y)};
}

std::optional<MapSize> mapSizeOf(std::u16string_view width, std::u16string_view height) {
    const std::optional<std::int32_t> w = wholeNumber(width), h = wholeNumber(height);
    if (!w || !h || *w <= 0 || *h <= 0) return std::nullopt;
    return MapSize{*w, *h};
}

}  // namespace qrn
