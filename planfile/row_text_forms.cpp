#include "planfile/row_text_forms.h"

#include <array>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/row_find.h"
#include "planfile/json_row.h"
#include "planfile/plan_text.h"
#include "planfile/plan_writer.h"
#include "planfile/text_lines.h"

namespace qrn {

namespace {

void appendPadded(std::u16string& out, std::u16string_view value, std::size_t width) {
    out += value;
    if (value.size() < width) out.append(width - value.size(), u' ');
}

std::vector<std::u16string_view> splitTabs(std::u16string_view line) {
    std::vector<std::u16string_view> fields;
    for (;;) {
        const std::size_t tab = line.find(u'\t');
        fields.push_back(line.substr(0, tab));
        if (tab == line.npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

PlacementList::Rows readTabSeparated(std::u16string_view text, const Catalogue& catalogue) {
    std::unordered_map<std::u16string, int> byName;
    for (int i = catalogue.count(); i >= 0; --i)  // the first entry of a name wins
        byName[foldForFind(catalogue.field(i, Field::DisplayName))] = i;
    BuildingNames names;
    const std::u16string header = foldForFind(kTabSeparatedHeader);
    PlacementList::Rows rows;
    bool first = true;
    forEachLine(text, [&](std::u16string_view line) {
        const bool isFirst = std::exchange(first, false);
        if (line.empty() || (isFirst && foldForFind(line) == header)) return;
        const std::vector<std::u16string_view> fields = splitTabs(line);
        if (fields.size() != 1 + kCellCount)
            throw InvalidArgument(u"7 valeurs séparées par des tabulations attendues, " +
                                  decimal(long(fields.size())) + u" trouvées");
        const auto entry = byName.find(foldForFind(fields[0]));
        if (fields[0].empty() || entry == byName.end())
            throw InvalidArgument(u"bâtiment " + quoted(fields[0]) + u" absent du catalogue");
        auto& name = names[catalogue.field(entry->second, Field::DisplayName)];
        if (!name)
            name = std::make_shared<const std::u16string>(
                catalogue.field(entry->second, Field::DisplayName));
        rows.emplace_back(name,
                          std::array<std::u16string_view, 6>{fields[1], fields[2], fields[3],
                                                             fields[4], fields[5], fields[6]},
                          CatalogueIndex::number(std::int16_t(entry->second)));
    });
    return rows;
}

}  // namespace

std::u16string copiedPlanLines(const PlacementList::Rows& rows, const Catalogue& catalogue) {
    std::u16string out;
    out.reserve(rows.size() * 84);
    for (const PlacementRow& row : rows) {
        for (int c = 0; c < kCellCount; ++c) appendPadded(out, row.cell(c), kCellWidth);
        const int index = row.index().value();
        if (index >= 0 && index <= Catalogue::kMaxIndex) {
            appendPadded(out, catalogue.field(index, Field::PlanId), kPlanIdWidth);
            out += catalogue.field(index, Field::PlanTail);
        } else {
            out.append(kPlanIdWidth, u' ');
        }
        out += u"\r\n";
    }
    return out;
}

std::u16string copiedTabSeparated(const PlacementList::Rows& rows) {
    std::u16string out(kTabSeparatedHeader);
    out += u'\n';
    for (const PlacementRow& row : rows) {
        out += row.building();
        for (int c = 0; c < kCellCount; ++c) {
            out += u'\t';
            out += row.cell(c);
        }
        out += u'\n';
    }
    return out;
}

std::u16string copiedExactRows(const PlacementList::Rows& rows) {
    std::u16string out;
    out.reserve(rows.size() * 96);
    for (const PlacementRow& row : rows) {
        appendJsonRow(out, row);
        out += u'\n';
    }
    return out;
}

PlacementList::Rows readPastedText(std::u16string_view text, const Catalogue& catalogue) {
    try {
        return readPlanText(text, catalogue);
    } catch (const Error&) {
        if (text.find(u'\t') == text.npos) throw;
    }
    return readTabSeparated(text, catalogue);
}

}  // namespace qrn
