#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/errors.h"
#include "cli/catalogue_loading.h"
#include "cli/output.h"
#include "cli/subcommands.h"
#include "core/catalogue.h"
#include "core/map_model.h"
#include "mapdraw/map_painter.h"
#include "planfile/plan_reader.h"
#include "platform/platform.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan image PLAN SORTIE.png|SORTIE.svg [--width N] [--catalogue FICHIER]\n"
    "Dessine la carte de PLAN comme la carte de l'éditeur : tout le plan, chaque région de la\n"
    "couleur de son âge, les chevauchements en rouge, les noms quand ils ont la place.\n"
    "L'image est en PNG ou en SVG selon la fin de SORTIE, et SORTIE n'est remplacé qu'une\n"
    "fois l'image entière écrite.\n"
    "  --width N  la largeur de l'image en pixels, de 16 à 16384 (2000 par défaut)\n"
    "Un plan illisible n'écrit rien : l'erreur (PLAN:LIGNE: message) et l'état 1.\n";

constexpr int kDefaultWidth = 2000;

int widthOf(const Arguments& args) {
    if (!args.width) return kDefaultWidth;
    const std::string& text = *args.width;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 16 || value > 16384)
        throw UsageError("--width attend un nombre de 16 à 16384, pas " + quotedWord(text));
    return int(value);
}

int run(const Arguments& args, Services& services) {
    rejectAges(args, "image");
    if (args.operands.size() != 2) throw UsageError("image attend PLAN et SORTIE");
    const int width = widthOf(args);
    const std::u16string plan = pathArgument(args.operands[0]);
    const std::u16string image = pathArgument(args.operands[1]);

    // Drawing text needs a Gui application; there is no display, so it draws off screen. Qt's
    // remarks about the session (no runtime folder, no fonts folder) are not the tool's output.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) std::fprintf(stderr, "qrnplan: %s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "qrnplan";
    static char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    Catalogue catalogue;
    PlacementList list;
    try {
        loadCatalogue(catalogue, args, services);
        openQRN(plan, list, catalogue, services.files);
        const MapModel model(list, &catalogue);
        mapdraw::writeImage(model, std::nullopt, QString::fromStdU16String(image), width);
    } catch (const Error& error) {
        printError(error, plan);
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace

const Command imageCommand{"image", kHelp, run};

}  // namespace qrn::cli
