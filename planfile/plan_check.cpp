#include "planfile/plan_check.h"

#include <cstdint>
#include <memory>

#include "base/text.h"
#include "core/age_filter.h"
#include "core/catalogue.h"
#include "core/game_reading.h"
#include "core/placement_row.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_writer.h"
#include "planfile/read_back.h"
#include "platform/platform.h"

namespace qrn {

namespace {

constexpr std::u16string_view kPlanIdColumn = u"identifiant de plan";

// A value the writer refuses: longer than its width.
void checkWidth(std::vector<PlanProblem>& problems, std::u16string_view column,
                std::u16string_view text, int width) {
    if (text.size() > std::size_t(width)) {
        problems.push_back({0, std::u16string(column),
                            u"le texte " + quoted(text) + u" dépasse " + decimal(width) +
                                u" caractères : il ne peut pas être enregistré"});
    }
}

std::vector<PlanProblem> planIdProblems(int index, const Catalogue& catalogue) {
    std::vector<PlanProblem> problems;
    const std::u16string& id = catalogue.field(index, Field::PlanId);
    checkWidth(problems, kPlanIdColumn, id, kPlanIdWidth);
    std::u16string matches = ListMatches(catalogue, std::int16_t(Field::PlanId), id);
    if (matches.find(u';') + 1 < matches.size()) {
        const std::u16string lowest = matches.substr(0, matches.find(u';'));
        matches.pop_back();
        for (std::size_t at = 0; (at = matches.find(u';', at)) != matches.npos;)
            matches.replace(at, 1, u", ");
        problems.push_back({0, std::u16string(kPlanIdColumn),
                            u"l'identifiant de plan " + quoted(id) +
                                u" est partagé par les entrées " + matches +
                                u" : il est relu comme l'entrée " + lowest});
    }
    return problems;
}

}  // namespace

std::vector<PlanProblem> rowProblems(const PlacementRow& row, const Catalogue& catalogue) {
    std::vector<PlanProblem> problems;
    const PlanRowView view = planRowView(row);
    std::vector<ReadBackProblem> notReadBack = readBackProblems(view, catalogue);
    auto next = notReadBack.begin();
    for (int c = 0; c < kCellCount; ++c) {
        const std::size_t before = problems.size();
        checkWidth(problems, columnName(Column(c)), view.cells[std::size_t(c)], kCellWidth);
        for (; next != notReadBack.end() && next->column == c; ++next)
            problems.push_back({0, std::move(next->name), std::move(next->reason)});
        if (problems.size() != before) continue;
        if (std::optional<std::u16string> misread = gameReadingProblem(Column(c), row.cell(c)))
            problems.push_back({0, std::u16string(columnName(Column(c))),
                                *misread + u" : le jeu ne lira pas la valeur comme voulu", true});
    }
    for (; next != notReadBack.end(); ++next)
        problems.push_back({0, std::move(next->name), std::move(next->reason)});
    return problems;
}

PlanIdProblems::PlanIdProblems(const Catalogue& catalogue)
    : catalogue_(catalogue), problems_(std::size_t(Catalogue::kSize)) {}

const std::vector<PlanProblem>& PlanIdProblems::of(int index) {
    auto& problems = problems_.at(std::size_t(index));
    if (!problems) problems = planIdProblems(index, catalogue_);
    return *problems;
}

std::optional<Error> checkPlan(const std::u16string& plan, const Catalogue& catalogue,
                               PlanIdProblems& idProblems, platform::FileSystem& files,
                               const ProblemConsumer& report) {
    // Line n of the plan makes row n: every line before a bad one yields a row.
    long line = 0;
    const auto reportRow = [&](PlacementRow&& row) {
        ++line;
        for (std::vector<PlanProblem> found :
             {rowProblems(row, catalogue), idProblems.of(row.index().value())}) {
            for (PlanProblem& problem : found) {
                problem.line = line;
                report(problem);
            }
        }
    };
    try {
        const std::unique_ptr<platform::TextStream> stream = files.OpenTextFile(plan);
        readQRN(*stream, plan, catalogue, reportRow);
    } catch (const Error& failure) {
        report({failure.line, failure.column, failure.reason()});
        return failure;
    }
    return std::nullopt;
}

}  // namespace qrn
