#include <string>
#include <vector>

#include "base/errors.h"
#include "cli/catalogue_loading.h"
#include "cli/output.h"
#include "cli/subcommands.h"
#include "core/catalogue.h"
#include "planfile/json_row.h"
#include "planfile/plan_reader.h"
#include "platform/platform.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan read PLAN [--catalogue FICHIER]\n"
    "Lit PLAN comme « Ouvrir » et écrit une ligne par rangée, dans l'ordre :\n"
    "{\"index\": N, \"building\": \"...\", \"cells\": [\"X\",\"Y\",\"N\",\"S\",\"E\",\"O\"]}.\n"
    "Sur une ligne illisible : les rangées lues avant elle, puis l'erreur (PLAN:LIGNE: "
    "message)\n"
    "et l'état 1.\n";

// Prints each line's row as the reader hands it over; nothing of the plan is kept.
void printRows(const std::u16string& plan, const Catalogue& catalogue, Services& services) {
    // A plan names the same few entries again and again: each building text is escaped once.
    std::vector<std::string> buildings(static_cast<std::size_t>(Catalogue::kSize));
    std::string& out = pendingOutput();
    const std::unique_ptr<platform::TextStream> stream = services.files.OpenTextFile(plan);
    readQRNLines(*stream, plan, catalogue, [&](const PlanLine& line) {
        std::string& building = buildings[std::size_t(line.index)];
        if (building.empty())
            appendJsonString(building, catalogue.field(line.index, Field::DisplayName));
        appendJsonRow(out, line.index, building, line.cells);
        out += '\n';
        lineAppended();
    });
}

int run(const Arguments& args, Services& services) {
    rejectAges(args, "read");
    if (args.operands.size() != 1) throw UsageError("read attend un seul PLAN");
    const std::u16string plan = pathArgument(args.operands.front());

    Catalogue catalogue;
    try {
        loadCatalogue(catalogue, args, services);
        printRows(plan, catalogue, services);
    } catch (const Error& error) {
        // The rows of the lines before the bad one have gone out: the error follows them.
        finishOutput();
        printError(error, plan);
        return kExitFailure;
    }
    return finishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace

const Command readCommand{"read", kHelp, run};

}  // namespace qrn::cli
