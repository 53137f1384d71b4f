#include "core/game_reading.h"

#include "base/text.h"
#include "core/map_geometry.h"
#include "core/placement_list.h"

namespace qrn {

std::optional<std::u16string> gameReadingProblem(Column column, std::u16string_view text) {
    const std::optional<std::int32_t> value = wholeNumber(text);
    if (!value && text.empty()) return u"la valeur est vide, pas un nombre entier";
    if (!value) return quoted(text) + u" n'est pas un nombre entier";
    if (*value < 0 && column != Column::X && column != Column::Y)
        return u"le décalage " + quoted(text) + u" est négatif";
    return std::nullopt;
}

bool misreadByGame(const PlacementRow& row) {
    for (int c = 0; c < kCellCount; ++c)
        if (gameReadingProblem(Column(c), row.cell(c))) return true;
    return false;
}

long rowsMisreadByGame(const PlacementList& list) {
    long count = 0;
    for (int p = 1; p <= list.count(); ++p) count += misreadByGame(list.row(p)) ? 1 : 0;
    return count;
}

}  // namespace qrn
