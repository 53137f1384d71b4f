
#include "base/errors.h"
#include "cli/catalogue_loading.h"
#include "cli/output.h"
#include "cli/subcommands.h"
#include "core/age_filter.h"
#include "core/catalogue.h"
#include "core/input_area.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan catalogue [--ages LISTE] [--catalogue FICHIER]\n"
    "Charge le catalogue comme une fenêtre d'édition et écrit les entrées de la liste des\n"
    "bâtiments dans l'ordre, une par ligne : {\"index\": N, \"name\": \"...\"}.\n"
    "Sans --ages : toutes les entrées, de 0 au compte. Avec --ages : la liste filtrée avec\n"
    "exactement ces âges cochés (l'entrée 0 et les entrées marquées L y restent toujours).\n"
    "LISTE : des mots parmi stone,tool,bronze,iron séparés par des virgules, ou none.\n";

// The check marks that --ages LIST asks for, all four cleared first.
AgeChecks parseAges(const std::string& list) {
    AgeChecks checks{false, false, false, false};
    if (list == "none") return checks;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string word = list.substr(start, comma - start);
        if (word == "stone") {
            checks.stone = true;
        } else if (word == "tool") {
            checks.tool = true;
        } else if (word == "bronze") {
            checks.bronze = true;
        } else if (word == "iron") {
            checks.iron = true;
        } else {
            throw UsageError("âge inconnu " + quotedWord(word) +
                             " dans --ages (stone, tool, bronze, iron ou none)");
        }
        if (comma == std::string::npos) return checks;
        start = comma + 1;
    }
}

int run(const Arguments& args, Services& services) {
    if (!args.operands.empty())
        throw UsageError("catalogue ne prend pas d'argument " + quotedWord(args.operands.front()));
    const std::optional<AgeChecks> checks =
        args.ages ? std::optional(parseAges(*args.ages)) : std::nullopt;

    Catalogue catalogue;
    if (!loadCatalogueOrSay(catalogue, args, services)) return kExitFailure;
    Picker picker;
    if (checks) {
        Blist(catalogue, *checks, picker);
    } else {
        fillPicker(catalogue, picker);
    }
    for (const Picker::Entry& entry : picker.entries())
        printJsonLine({{"index", entry.itemData}, {"name", entry.text}});
    return finishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace

const Command catalogueCommand{"catalogue", kHelp, run};

}  // namespace qrn::cli
