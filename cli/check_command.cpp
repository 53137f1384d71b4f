#include "cli/catalogue_loading.h"
#include "cli/output.h"
#include "cli/subcommands.h"
#include "core/catalogue.h"
#include "planfile/plan_check.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan check PLAN... [--catalogue FICHIER]\n"
    "Lit chaque PLAN comme « Ouvrir » et écrit un objet par problème, dans l'ordre des lignes "
    ":\n"
    "{\"file\": ..., \"line\": N, \"column\": ..., \"message\": ...} (\"column\" quand elle "
    "est\n"
    "connue ; pas de \"line\" quand le fichier ne s'ouvre pas). Problèmes : une ligne "
    "illisible\n"
    "(aussi sur la sortie d'erreur ; la lecture du plan s'y arrête) et les valeurs qui ne\n"
    "survivraient pas à un enregistrement suivi d'une réouverture : 10 caractères ou plus\n"
    "(identifiant de plan : 15), Y à O vide, une espace dans la valeur, un identifiant de "
    "plan\n"
    "partagé par plusieurs entrées (relu comme la plus basse). Avertissements, marqués\n"
    "\"severity\": \"warning\" avant \"message\" : les valeurs relues telles quelles que le "
    "jeu ne lirait\n"
    "pas comme voulu (X ou Y qui n'est pas un nombre entier, décalage négatif ou pas entier).\n"
    "État 1 quand un plan ne peut pas être lu, sinon 0, même avec des problèmes ou des\n"
    "avertissements.\n";

void printProblem(std::u16string_view file, const PlanProblem& problem) {
    JsonFields fields{{"file", file}};
    if (problem.line > 0) fields.emplace_back("line", problem.line);
    if (!problem.column.empty()) fields.emplace_back("column", problem.column);
    if (problem.warning) fields.emplace_back("severity", u"warning");
    fields.emplace_back("message", problem.message);
    printJsonLine(fields);
}

// Reports the problems of one plan as its lines are read; false when it could not be read to
// its end.
bool reportPlan(const std::u16string& plan, const Catalogue& catalogue, PlanIdProblems& idProblems,
                Services& services) {
    const std::optional<Error> failure =
        checkPlan(plan, catalogue, idProblems, services.files,
                  [&plan](const PlanProblem& problem) { printProblem(plan, problem); });
    if (!failure) return true;
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
        if (!reportPlan(pathArgument(operand), catalogue, idProblems, services))
            status = kExitFailure;
    }
    return finishOutput() ? status : kExitFailure;
}

}  // namespace

const Command checkCommand{"check", kHelp, run};

}  // namespace qrn::cli
