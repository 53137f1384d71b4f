#include "planfile/read_back.h"

#include <algorithm>
#include <array>

#include "base/text.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"

namespace qrn {

namespace {

constexpr int kBuilding = kCellCount;
constexpr std::u16string_view kPlanIdColumn = u"identifiant de plan";
// A value that reads back wherever it stands: put in place of one already judged.
constexpr std::u16string_view kStandIn = u"0";

bool judged(const PlanRowView& row, const Catalogue& catalogue) {
    return row.index >= 0 && row.index <= Catalogue::kMaxIndex &&
           catalogue.field(row.index, Field::PlanId).size() <= std::size_t(kPlanIdWidth);
}

// Values over their width stand in as short ones: the writer refuses them anyway.
PlanRowView shortened(PlanRowView row) {
    for (std::u16string_view& cell : row.cells)
        if (cell.size() > std::size_t(kCellWidth)) cell = kStandIn;
    return row;
}

// The first column that the line written for row does not give back (-1 when none): the line
// is made by the writer and split by the reader, without the CR LF the reader never sees.
int firstDifference(const PlanRowView& row, const Catalogue& catalogue, std::u16string& line) {
    line.resize(planLineSize(row, catalogue));
    putPlanLine(line.data(), row, catalogue);
    std::array<std::u16string_view, 7> tokens;
    const std::size_t found = splitPlanLine({line.data(), line.size() - 2}, tokens);
    for (std::size_t c = 0; c < std::size_t(kCellCount); ++c)
        if (c >= found || tokens[c] != row.cells[c]) return int(c);
    if (found < tokens.size() || catalogue.findPlanId(tokens[6]) != row.index) return kBuilding;
    return -1;
}

// Why the value at column does not come back, the values before it having come back.
std::u16string reasonAt(int column, const PlanRowView& row, const Catalogue& catalogue) {
    const bool building = column == kBuilding;
    const std::u16string_view text =
        building ? std::u16string_view(catalogue.field(row.index, Field::PlanId))
                 : row.cells[std::size_t(column)];
    const std::size_t width = std::size_t(building ? kPlanIdWidth : kCellWidth);
    if (text.empty() && building)
        return u"l'entrée " + decimal(row.index) +
               u" n'a pas d'identifiant de plan : la ligne ne serait pas relue";
    if (text.empty())
        return u"valeur vide : enregistrée comme des espaces, elle décalerait les valeurs "
               u"suivantes";
    if (text.find(u' ') != text.npos)
        return u"le texte " + quoted(text) +
               u" contient une espace : relu, il serait coupé en deux valeurs";
    if (text.size() == width)
        return u"le texte " + quoted(text) + u" a " + decimal(long(width)) +
               u" caractères : enregistré, il toucherait la valeur suivante et ne serait pas "
               u"relu tel quel";
    if (building) {
        if (const std::optional<int> other = catalogue.findPlanId(text))
            return u"l'identifiant de plan " + quoted(text) + u" est aussi celui de l'entrée " +
                   decimal(*other) + u" : il serait relu comme l'entrée " + decimal(*other);
    }
    return u"le texte " + quoted(text) + u" ne serait pas relu tel quel";
}

}  // namespace

std::u16string ReadBackProblem::describe() const {
    return u"colonne " + name + u" : " + reason;
}

std::vector<ReadBackProblem> readBackProblems(const PlanRowView& row, const Catalogue& catalogue) {
    std::vector<ReadBackProblem> problems;
    if (!judged(row, catalogue)) return problems;
    // Each value found not to come back is replaced by one that does, and the line is read
    // again: the next difference lies further right.
    PlanRowView judging = shortened(row);
    std::u16string line;
    for (int column; (column = firstDifference(judging, catalogue, line)) >= 0;) {
        problems.push_back(
            {column,
             std::u16string(column == kBuilding ? kPlanIdColumn : columnName(Column(column))),
             reasonAt(column, judging, catalogue)});
        if (column == kBuilding) break;
        judging.cells[std::size_t(column)] = kStandIn;
    }
    std::stable_sort(
        problems.begin(), problems.end(),
        [](const ReadBackProblem& a, const ReadBackProblem& b) { return a.column < b.column; });
    return problems;
}

bool readsBack(const PlanRowView& row, const Catalogue& catalogue) {
    std::u16string line;
    return !judged(row, catalogue) || firstDifference(shortened(row), catalogue, line) < 0;
}

std::vector<long> rowsNotReadBack(const PlacementList& list, const Catalogue& catalogue) {
    std::vector<long> positions;
    std::u16string line;
    for (int position = 1; position <= list.count(); ++position) {
        const PlanRowView row = shortened(planRowView(list.row(position)));
        if (judged(row, catalogue) && firstDifference(row, catalogue, line) >= 0)
            positions.push_back(position);
    }
    return positions;
}

}  // namespace qrn
