#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrn {

// A label's box on the screen, in pixels.
struct LabelBox {
    double left = 0, top = 0, width = 0, height = 0;
    bool overlaps(const LabelBox& o) const {
        return left < o.left + o.width && o.left < left + width && top < o.top + o.height &&
               o.top < top + height;
    }
};

// Takes labels one after another and keeps each that meets none kept before it: the first
// asked wins its place. The kept boxes are found through a grid of cells kCell pixels wide.
class LabelSpace {
public:
    static constexpr double kCell = 64;
    // True, and the box taken, when it meets no box taken before.
    bool take(const LabelBox& box);
    void clear() { cells_.clear(); }

private:
    template <typename Visit>
    void forCells(const LabelBox& box, Visit visit);
    std::unordered_map<std::uint64_t, std::vector<LabelBox>> cells_;
};

// text itself when width(text) is at most room, else its longest beginning that fits with "…"
// after it; empty when not even one character and "…" fit.
std::u16string shortenedToFit(std::u16string_view text, double room,
                              const std::function<double(std::u16string_view)>& width);

}  // namespace qrn
