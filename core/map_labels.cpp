#include "core/map_labels.h"

#include <cmath>
#include <cstdint>

#include "core/map_geometry.h"

namespace qrn {

template <typename Visit>
void LabelSpace::forCells(const LabelBox& box, Visit visit) {
    const auto cell = [](double v) { return std::int64_t(std::floor(v / kCell)); };
    for (std::int64_t cx = cell(box.left); cx <= cell(box.left + box.width); ++cx)
        for (std::int64_t cy = cell(box.top); cy <= cell(box.top + box.height); ++cy)
            visit(gridKey(cx, cy));
}

bool LabelSpace::take(const LabelBox& box) {
    bool free = true;
    forCells(box, [&](std::uint64_t key) {
        if (!free) return;
        const auto found = cells_.find(key);
        if (found == cells_.end()) return;
        for (const LabelBox& other : found->second)
            if (other.overlaps(box)) free = false;
    });
    if (free) forCells(box, [&](std::uint64_t key) { cells_[key].push_back(box); });
    return free;
}

std::u16string shortenedToFit(std::u16string_view text, double room,
                              const std::function<double(std::u16string_view)>& width) {
    if (width(text) <= room) return std::u16string(text);
    // The widths grow with the length: the longest fitting beginning by halving.
    std::size_t low = 0, high = text.size();
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (width(std::u16string(text.substr(0, mid)) + u"…") <= room)
            low = mid;
        else
            high = mid - 1;
    }
    if (low == 0) return {};
    return std::u16string(text.substr(0, low)) + u"…";
}

}  // namespace qrn
