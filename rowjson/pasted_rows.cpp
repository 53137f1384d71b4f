#include "rowjson/pasted_rows.h"

#include <memory>
#include <string>

#include "base/text.h"
#include "core/catalogue.h"
#include "planfile/json_row.h"
#include "planfile/row_text_forms.h"
#include "planfile/text_lines.h"
#include "rowjson/json_row_reader.h"

namespace qrn {

namespace {

PlacementList::Rows readJsonRows(std::u16string_view text, const Catalogue& catalogue) {
    PlacementList::Rows rows;
    JsonRowReader reader;
    BuildingNames names;  // rows of one building share its text, as in an opened plan
    forEachLine(text, [&](std::u16string_view line) {
        if (line.empty()) return;
        const JsonRow row = reader.read(toUtf8(line));
        const int index = row.index.value();
        const std::u16string building = row.hasBuilding ? std::u16string(row.building)
                                        : index >= 0 && index <= catalogue.count()
                                            ? catalogue.field(index, Field::DisplayName)
                                            : std::u16string();
        auto& shared = names[building];
        if (!shared) shared = std::make_shared<const std::u16string>(building);
        rows.emplace_back(shared, row.cells, row.index);
    });
    return rows;
}

}  // namespace

PlacementList::Rows readPastedRows(std::u16string_view text, const Catalogue& catalogue) {
    if (text.starts_with(u'{')) return readJsonRows(text, catalogue);
    return readPastedText(text, catalogue);
}

}  // namespace qrn
