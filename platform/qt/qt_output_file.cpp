#include "qt_output_file.h"

#include <QFileInfo>
#include <string>

#include "codepage.h"
#include "errors.h"

namespace qrn::platform {

namespace {

std::u16string qtReason(const char16_t* what, const QFileDevice& file) {
    return what + (u" (" + file.errorString().toStdU16String() + u")");
}

// The bytes of text; an unencodable character fails before anything is written.
std::string encodeFor(std::u16string_view text, const std::u16string& path) {
    try {
        return encodeWindows1252(text);
    } catch (Error& error) {
        if (error.file.empty()) error.file = path;
        throw;
    }
}

void writeAll(QFileDevice& file, const std::string& bytes, const std::u16string& path) {
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()))
        throw FileError(path, qtReason(u"écriture impossible", file));
}

}  // namespace

ReplacingOutputFile::ReplacingOutputFile(const QString& nativePath, std::u16string displayPath)
    : file_(nativePath), path_(std::move(displayPath)) {
    if (QFileInfo(nativePath).isDir()) throw FileError(path_, u"c'est un dossier");
    if (!file_.open(QIODevice::WriteOnly))
        throw FileError(path_, qtReason(u"création impossible", file_));
}

void ReplacingOutputFile::Write(std::u16string_view text) {
    writeAll(file_, encodeFor(text, path_), path_);
}

void ReplacingOutputFile::Commit() {
    if (!file_.commit()) throw FileError(path_, qtReason(u"enregistrement impossible", file_));
}

NewOutputFile::NewOutputFile(const QString& nativePath, std::u16string displayPath)
    : file_(nativePath), path_(std::move(displayPath)) {
    if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return;
    const QFileInfo info(nativePath);
    if (info.exists() || info.isSymLink()) throw FileExistsError(path_, u"ce nom est déjà pris");
    throw FileError(path_, qtReason(u"création impossible", file_));
}

NewOutputFile::~NewOutputFile() {
    if (committed_) return;
    file_.close();
    file_.remove();
}

void NewOutputFile::Write(std::u16string_view text) {
    const std::string bytes = encodeFor(text, path_);
    try {
        writeAll(file_, bytes, path_);
    } catch (const FileError&) {
        writeFailed_ = true;
        throw;
    }
}

void NewOutputFile::Commit() {
    if (writeFailed_) throw FileError(path_, u"enregistrement impossible, une écriture a échoué");
    if (!file_.flush()) throw FileError(path_, qtReason(u"enregistrement impossible", file_));
    file_.close();
    if (file_.error() != QFileDevice::NoError)
        throw FileError(path_, qtReason(u"enregistrement impossible", file_));
    committed_ = true;
}

}  // namespace qrn::platform
