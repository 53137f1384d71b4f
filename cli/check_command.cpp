#include <optional>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "cli/subcommands.h"
#include "core/age_filter.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_writer.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan check PLAN... [--catalogue FICHIER]\n"
    "Lit chaque PLAN comme « Ouvrir » et écrit un objet par problème, dans l'ordre des lignes :\n"
    "{\"file\": ..., \"line\": N, \"column\": ..., \"message\": ...} (\"column\" quand elle est\n"
    "connue ; pas de \"line\" quand le fichier ne s'ouvre pas). Problèmes : une ligne illisible\n"
    "(aussi sur la sortie d'erreur ; la lecture du plan s'y arrête) et les valeurs qui ne\n"
    "survivraient pas à un enregistrement suivi d'une réouverture : 10 caractères ou plus\n"
    "(identifiant de plan : 15), Y à O vide, une espace dans la valeur, un identifiant de plan\n"
    "partagé par plusieurs entrées (relu comme la plus basse).\n"
    "État 1 quand un plan ne peut pas être lu, sinon 0, même avec des problèmes.\n";

constexpr std::u16string_view kPlanIdColumn = u"identifiant de plan";

struct Problem {
    std::u16string column;
    std::u16string message;
};

void checkWidth(std::vector<Problem>& problems, std::u16string_view column,
                std::u16string_view text, int width) {
    const std::size_t limit = std::size_t(width);
    if (text.size() > limit) {
        problems.push_back({std::u16string(column), u"le texte " + quoted(text) + u" dépasse " +
                                                        decimal(width) +
                                                        u" caractères : il ne peut pas être "
                                                        u"enregistré"});
    } else if (text.size() == limit) {
        problems.push_back({std::u16string(column),
                            u"le texte " + quoted(text) + u" a " + decimal(width) +
                                u" caractères : enregistré, il toucherait la valeur suivante et "
                                u"ne serait pas relu tel quel"});
    }
}

// What of a row's six values would not come back the same after saving and opening again.
std::vector<Problem> cellProblems(const PlacementRow& row) {
    std::vector<Problem> problems;
    for (int c = 0; c < kCellCount; ++c) {
        const std::u16string_view text = row.cell(c);
        const std::u16string_view column = columnName(Column(c));
        checkWidth(problems, column, text, kCellWidth);
        // An empty X is written as spaces at the start of the line, which read back as empty.
        if (text.empty() && Column(c) != Column::X) {
            problems.push_back({std::u16string(column),
                                u"valeur vide : enregistrée comme des espaces, elle décalerait "
                                u"les valeurs suivantes"});
        }
        if (text.find(u' ') != text.npos) {
            problems.push_back(
                {std::u16string(column),
                 u"le texte " + quoted(text) +
                     u" contient une espace : relu, il serait coupé en deux valeurs"});
        }
    }
    return problems;
}

// The same for the plan identifier of a catalogue entry.
std::vector<Problem> planIdProblems(int index, const Catalogue& catalogue) {
    std::vector<Problem> problems;
    const std::u16string& id = catalogue.field(index, Field::PlanId);
    checkWidth(problems, kPlanIdColumn, id, kPlanIdWidth);
    std::u16string matches = ListMatches(catalogue, std::int16_t(Field::PlanId), id);
    if (matches.find(u';') + 1 < matches.size()) {
        const std::u16string lowest = matches.substr(0, matches.find(u';'));
        matches.pop_back();
        for (std::size_t at = 0; (at = matches.find(u';', at)) != matches.npos;)
            matches.replace(at, 1, u", ");
        problems.push_back(
            {std::u16string(kPlanIdColumn), u"l'identifiant de plan " + quoted(id) +
                                                u" est partagé par les entrées " + matches +
                                                u" : il est relu comme l'entrée " + lowest});
    }
    return problems;
}

// The plan identifier problems of each catalogue entry, found once: a long plan names the same
// few entries again and again.
class PlanIdProblems {
public:
    explicit PlanIdProblems(const Catalogue& catalogue)
        : catalogue_(catalogue), problems_(std::size_t(Catalogue::kSize)) {}
    const std::vector<Problem>& of(int index) {
        auto& problems = problems_.at(std::size_t(index));
        if (!problems) problems = planIdProblems(index, catalogue_);
        return *problems;
    }

private:
    const Catalogue& catalogue_;
    std::vector<std::optional<std::vector<Problem>>> problems_;
};

void printProblem(std::u16string_view file, long line, std::u16string_view column,
                  std::u16string_view message) {
    JsonFields fields{{"file", toQString(file)}};
    if (line > 0) fields.emplace_back("line", qint64(line));
    if (!column.empty()) fields.emplace_back("column", toQString(column));
    fields.emplace_back("message", toQString(message));
    printJsonLine(fields);
}

// Reports the problems of one plan; false when it could not be read to its end.
bool checkPlan(const std::u16string& plan, const Catalogue& catalogue, PlanIdProblems& idProblems,
               Services& services) {
    PlacementList list;
    std::optional<Error> failure;
    try {
        openQRN(plan, list, catalogue, services.files);
    } catch (const Error& error) {
        failure = error;
    }
    // Line n of the plan made row n: every line before a bad one yields a row.
    for (int position = 1; position <= list.count(); ++position) {
        const PlacementRow& row = list.row(position);
        for (const Problem& problem : cellProblems(row))
            printProblem(plan, position, problem.column, problem.message);
        for (const Problem& problem : idProblems.of(row.index().value()))
            printProblem(plan, position, problem.column, problem.message);
    }
    if (!failure) return true;
    printProblem(plan, failure->line, failure->column, failure->reason());
    finishOutput();
    printError(*failure, plan);
    return false;
}

int run(const Arguments& args, Services& services) {
    rejectAges(args, "check");
    if (args.operands.empty()) throw UsageError("check attend au moins un PLAN");

    Catalogue catalogue;
    if (!loadCatalogueOrSay(catalogue, args, services)) return kExitFailure;
    PlanIdProblems idProblems(catalogue);
    int status = kExitSuccess;
    for (const std::string& operand : args.operands) {
        if (!checkPlan(pathArgument(operand), catalogue, idProblems, services))
            status = kExitFailure;
    }
    return finishOutput() ? status : kExitFailure;
}

}  // namespace

const Command checkCommand{"check", kHelp, run};

}  // namespace qrn::cli
