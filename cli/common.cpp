#include "cli/common.h"

#include <cstdio>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "platform/platform.h"

namespace qrn::cli {

std::u16string pathArgument(const std::string& word) {
    return QFile::decodeName(QByteArray::fromStdString(word)).toStdU16String();
}

void loadCatalogue(Catalogue& catalogue, const Arguments& args, Services& services) {
    std::u16string path;
    if (args.catalogue) {
        path = pathArgument(*args.catalogue);
    } else {
        const std::u16string folder = services.app.Path();
        path = platform::joinPath(folder, u"QRN.txt");
        const std::u16string installed = folder + u"/../lib/qrnplg/QRN.txt";
        // When neither exists, the error names the file beside the program.
        if (!services.files.FileExists(path) && services.files.FileExists(installed))
            path = installed;
    }
    catalogue.load(services.files, path);
}

bool loadCatalogueOrSay(Catalogue& catalogue, const Arguments& args, Services& services) {
    try {
        loadCatalogue(catalogue, args, services);
        return true;
    } catch (const Error& error) {
        printError(error);
        return false;
    }
}

void rejectAges(const Arguments& args, const char* subcommand) {
    if (args.ages)
        throw UsageError(std::string("l'option --ages ne vaut que pour catalogue, pas pour ") +
                         subcommand);
}

namespace {

// A value as Qt writes it, compact: the one element of a one-element array.
QByteArray jsonText(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

}  // namespace

void printJsonLine(const JsonFields& fields) {
    QByteArray bytes = "{";
    for (const auto& [key, value] : fields) {
        if (bytes.size() > 1) bytes += ", ";
        bytes += jsonText(QLatin1String(key)) + ": " + jsonText(value);
    }
    bytes += "}\n";
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

void printError(std::u16string_view file, long line, std::u16string_view message) {
    std::string text = file.empty() ? std::string("qrnplan") : toUtf8(file);
    if (line > 0) text += ":" + std::to_string(line);
    text += ": " + toUtf8(message) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

void printError(const Error& error, std::u16string_view fallbackFile) {
    printError(error.file.empty() ? fallbackFile : std::u16string_view(error.file), error.line,
               error.message());
}

bool finishOutput() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
    std::fputs("qrnplan: impossible d'écrire sur la sortie standard\n", stderr);
    return false;
}

}  // namespace qrn::cli
