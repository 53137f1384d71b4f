// qrnplan: reads and writes plan files from scripts with the editor's own catalogue, reader and
// writer code. JSON Lines on stdout; errors on stderr as FILE:LINE: message.

#include <cerrno>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "base/version.h"
#include "cli/catalogue_loading.h"
#include "cli/entry.h"
#include "cli/output.h"
#include "cli/subcommands.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_file_system.h"

namespace {

using namespace qrn::cli;

const char kHelp[] =
    "Usage : qrnplan SOUS-COMMANDE [OPTIONS] [ARGUMENTS]\n"
    "Lit et écrit les plans de placement avec le même code que l'éditeur.\n"
    "  catalogue [--ages LISTE]  les entrées de la liste des bâtiments\n"
    "  read PLAN                 les rangées d'un plan\n"
    "  write [LIGNES]            le plan de rangées JSON Lines [-o PLAN] [--force]\n"
    "  check PLAN...             les problèmes de plans\n"
    "  image PLAN SORTIE         l'image de la carte d'un plan, PNG ou SVG [--width N]\n"
    "  --catalogue FICHIER  le catalogue (par défaut QRN.txt à côté du programme, sinon\n"
    "                       ../lib/qrnplg/QRN.txt depuis son dossier), pour chaque "
    "sous-commande\n"
    "  --help               cette aide ; « qrnplan SOUS-COMMANDE --help » pour une "
    "sous-commande\n"
    "  --version            la version du programme\n"
    "Sortie : JSON Lines en UTF-8, un objet par ligne, clés dans l'ordre montré.\n"
    "Erreurs sur la sortie d'erreur :\n"
    "FICHIER:LIGNE: message (FICHIER: message sans ligne). État : 0 réussite, 1 échec de\n"
    "données ou de fichier, 2 erreur d'usage.\n";

const Command* findCommand(const std::string& name) {
    for (const Command* command :
         {&catalogueCommand, &readCommand, &writeCommand, &checkCommand, &imageCommand})
        if (name == command->name) return command;
    return nullptr;
}

// A fixed text on stdout (a help, the version); the status says whether it could be written.
int printText(const char* text) {
    std::fputs(text, stdout);
    return finishOutput() ? kExitSuccess : kExitFailure;
}

int run(Arguments args) {
    if (args.version) return printText("qrnplan " QRN_VERSION "\n");
    if (args.operands.empty()) {
        if (!args.help) throw UsageError("sous-commande manquante");
        return printText(kHelp);
    }
    const std::string name = args.operands.front();
    args.operands.erase(args.operands.begin());
    const Command* command = findCommand(name);
    if (!command) throw UsageError("sous-commande inconnue " + quotedWord(name));
    if (args.width && command != &imageCommand)
        throw UsageError("l'option --width ne sert qu'à image");
    if ((args.output || args.force) && command != &writeCommand)
        throw UsageError("les options -o et --force ne servent qu'à write");
    if (args.help) return printText(command->help);
    qrn::platform::QtFileSystem files;
    qrn::platform::QtApplication app;
    Services services{files, app};
    return command->run(args, services);
}

}  // namespace

int qrn::cli::runProgram(const std::vector<std::string>& words) {
    try {
        return run(parseArguments(words));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "qrnplan: %s\nEssayez « qrnplan --help ».\n", error.what());
        return kExitUsage;
    } catch (const qrn::Error& error) {
        printError(error);
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        printError({}, 0, qrn::systemReason(ENOMEM));
        return kExitFailure;
    } catch (const std::system_error& error) {
        printError({}, 0, qrn::systemReason(error.code().value()));
        return kExitFailure;
    } catch (const std::exception& error) {
        // A fault of the program itself: its own text, for a report.
        printError({}, 0, u"erreur interne (" + qrn::fromUtf8(error.what()) + u")");
        return kExitFailure;
    }
}
