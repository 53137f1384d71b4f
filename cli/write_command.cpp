#include <cmath>
#include <cstdio>
#include <vector>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/codepage.h"
#include "base/errors.h"
#include "base/text.h"
#include "cli/subcommands.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_save.h"
#include "planfile/plan_writer.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan write [LIGNES] [--catalogue FICHIER]\n"
    "Lit des rangées JSON Lines dans LIGNES (l'entrée standard sans LIGNES ou avec « - »),\n"
    "une par ligne : {\"index\": N ou \"N\", \"cells\": [six textes]}, N une entrée du\n"
    "catalogue ; les autres clés et les lignes vides sont ignorées (« qrnplan read PLAN |\n"
    "qrnplan write » marche). Écrit sur la sortie standard les octets du plan tels que\n"
    "l'enregistrement les écrit (Windows-1252, CR LF). Au moindre échec, rien sur la sortie\n"
    "standard : l'erreur nomme la ligne de LIGNES en cause (« - » pour l'entrée standard).\n";

// A JSON number as a number index, a JSON text as the writer takes a text index.
CatalogueIndex indexOf(const QJsonValue& value) {
    if (value.isString()) return CatalogueIndex::parse(value.toString().toStdU16String());
    if (!value.isDouble()) throw TypeMismatch(u"« index » doit être un nombre ou un texte");
    const double number = value.toDouble();
    if (number != std::floor(number)) throw TypeMismatch(u"« index » doit être un nombre entier");
    if (number < -32768 || number > 32767) throw Overflow(u"« index » hors de -32768 à 32767");
    return CatalogueIndex::number(std::int16_t(number));
}

// The row of one input line. The building text stays empty: the writer does not read it.
PlacementRow rowOf(const QByteArray& line) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(line, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw InvalidArgument(u"JSON invalide à l'octet " + decimal(parseError.offset + 1));
    if (!document.isObject()) throw InvalidArgument(u"la ligne n'est pas un objet JSON");
    const QJsonObject object = document.object();
    if (!object.contains(QLatin1String("index"))) throw InvalidArgument(u"clé « index » absente");
    if (!object.contains(QLatin1String("cells"))) throw InvalidArgument(u"clé « cells » absente");
    const CatalogueIndex index = indexOf(object.value(QLatin1String("index")));

    const QJsonValue cells = object.value(QLatin1String("cells"));
    if (!cells.isArray() || cells.toArray().size() != kCellCount)
        throw TypeMismatch(u"« cells » doit être un tableau de six textes");
    std::array<std::u16string, kCellCount> texts;
    std::array<std::u16string_view, kCellCount> views;
    for (int c = 0; c < kCellCount; ++c) {
        const QJsonValue cell = cells.toArray().at(c);
        if (!cell.isString()) throw TypeMismatch(u"« cells » doit être un tableau de six textes");
        texts[c] = cell.toString().toStdU16String();
        views[c] = texts[c];
    }
    return PlacementRow(u"", views, index);
}

// The bytes of the input file, or of stdin when name is "-".
QByteArray readInput(const std::u16string& name) {
    QFile file;
    const bool opened = name == u"-"
                            ? file.open(stdin, QIODevice::ReadOnly)
                            : (file.setFileName(toQString(name)), file.open(QIODevice::ReadOnly));
    if (!opened) throw FileError(name, u"impossible d'ouvrir le fichier");
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(name, u"impossible de lire le fichier");
    return bytes;
}

// An entry between the catalogue count and 1000 holds nothing: the writer would write an empty
// plan identifier, and the plan could not be opened again. The editor never makes such a row.
void checkEntryExists(CatalogueIndex index, const Catalogue& catalogue) {
    if (index.value() > catalogue.count() && index.value() <= Catalogue::kMaxIndex) {
        throw IndexError(u"l'entrée " + decimal(index.value()) +
                         u" n'existe pas dans le catalogue (0 à " + decimal(catalogue.count()) +
                         u")");
    }
}

// The rows of the input lines, with the line each came from (blank lines are skipped).
void readRows(const std::u16string& name, const Catalogue& catalogue, PlacementList& list,
              std::vector<long>& lines) {
    QByteArray input = readInput(name);
    if (input.startsWith("\xef\xbb\xbf")) input.remove(0, 3);  // a UTF-8 byte-order mark
    long lineNumber = 0;
    for (QByteArray line : input.split('\n')) {
        ++lineNumber;
        if (line.endsWith('\r')) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        try {
            PlacementRow row = rowOf(line);
            checkEntryExists(row.index(), catalogue);
            list.append(std::move(row));
        } catch (Error& error) {
            error.file = name;
            error.line = lineNumber;
            throw;
        }
        lines.push_back(lineNumber);
    }
}

// The plan text in Windows-1252. A character without a byte is reported at the first row and
// column that hold one, so that the caller can name the input line.
std::string encodePlan(const std::u16string& text, const PlacementList& list) {
    try {
        return platform::encodeWindows1252(text);
    } catch (const Error&) {
        checkEncodable(list);
        throw;
    }
}

int run(const Arguments& args, Services& services) {
    rejectAges(args, "write");
    if (args.operands.size() > 1) throw UsageError("write attend au plus un fichier LIGNES");
    const std::u16string rows = args.operands.empty() ? u"-" : pathArgument(args.operands[0]);

    Catalogue catalogue;
    PlacementList list;
    std::vector<long> lines;  // the input line of each row
    std::string bytes;
    try {
        loadCatalogue(catalogue, args, services);
        readRows(rows, catalogue, list, lines);
        bytes = encodePlan(MakeQRNFile(list, catalogue), list);
    } catch (Error& error) {
        // A failure of the writer names its row, from 1: point at that row's input line.
        if (error.row > 0 && error.file.empty()) {
            error.file = rows;
            error.line = lines.at(std::size_t(error.row - 1));
        }
        printError(error, rows);
        return kExitFailure;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return finishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace

const Command writeCommand{"write", kHelp, run};

}  // namespace qrn::cli
