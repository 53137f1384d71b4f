#include <QJsonArray>

#include "base/errors.h"
#include "cli/subcommands.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan read PLAN [--catalogue FICHIER]\n"
    "Lit PLAN comme « Ouvrir » et écrit une ligne par rangée, dans l'ordre :\n"
    "{\"index\": N, \"building\": \"...\", \"cells\": [\"X\",\"Y\",\"N\",\"S\",\"E\",\"O\"]}.\n"
    "Sur une ligne illisible : les rangées lues avant elle, puis l'erreur (PLAN:LIGNE: message)\n"
    "et l'état 1.\n";

JsonFields rowFields(const PlacementRow& row) {
    QJsonArray cells;
    for (int c = 0; c < kCellCount; ++c) cells.append(toQString(row.cell(c)));
    return {
        {"index", row.index().value()}, {"building", toQString(row.building())}, {"cells", cells}};
}

void printRows(const PlacementList& list) {
    for (int position = 1; position <= list.count(); ++position)
        printJsonLine(rowFields(list.row(position)));
}

int run(const Arguments& args, Services& services) {
    rejectAges(args, "read");
    if (args.operands.size() != 1) throw UsageError("read attend un seul PLAN");
    const std::u16string plan = pathArgument(args.operands.front());

    Catalogue catalogue;
    PlacementList list;
    try {
        loadCatalogue(catalogue, args, services);
        openQRN(plan, list, catalogue, services.files);
    } catch (const Error& error) {
        // The reader keeps the rows of the lines before the bad one: they go out before the error.
        printRows(list);
        finishOutput();
        printError(error, plan);
        return kExitFailure;
    }
    printRows(list);
    return finishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace

const Command readCommand{"read", kHelp, run};

}  // namespace qrn::cli
