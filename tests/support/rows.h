#pragma once

#include <string>

#include "core/placement_list.h"

namespace qrn::test {

// A row known by its X cell, its other cells "0".
inline PlacementRow row(std::u16string_view x) {
    return PlacementRow(u"b", {x, u"0", u"0", u"0", u"0", u"0"}, CatalogueIndex::number(0));
}

// The X cells of a list, one after another.
inline std::u16string xs(const PlacementList& list) {
    std::u16string out;
    for (int p = 1; p <= list.count(); ++p) out += list.row(p).cell(Column::X);
    return out;
}

}  // namespace qrn::test
