#include "platform/qt/qt_output_file.h"

#include <QFileInfo>
#include <algorithm>
#include <string>

#include "base/codepage.h"
#include "base/errors.h"

namespace qrn::platform {

namespace {

std::u16string qtReason(const char16_t* what, const QFileDevice& file) {
    return what + (u" (" + file.errorString().toStdU16String() + u")");
}

// Texts are converted and written a piece at a time, so saving a large plan needs no second,
// 8-bit copy of the whole text in memory.
constexpr std::size_t kPiece = 64 * 1024;

bool isAscii(std::u16string_view piece) {
    char16_t any = 0;
    for (char16_t c : piece) any |= c;
    return any < 0x80;
}

// Fails, naming the character and its position in the whole text, when a character of text
// has no byte; checks every piece before anything is written.
void checkEncodable(std::u16string_view text, const std::u16string& path) {
    std::string scratch;
    for (std::size_t at = 0; at < text.size(); at += kPiece) {
        const std::u16string_view piece = text.substr(at, kPiece);
        if (isAscii(piece)) continue;
        try {
            scratch.clear();
            encodeWindows1252(piece, scratch);
        } catch (const Error&) {
            try {
                encodeWindows1252(text);  // the same failure, with its position in the text
            } catch (Error& error) {
                if (error.file.empty()) error.file = path;
                throw;
            }
        }
    }
}

void writeAll(QFileDevice& file, const std::string& bytes, const std::u16string& path) {
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()))
        throw FileError(path, qtReason(u"écriture impossible", file));
}

// Writes text, one byte a character. A text of one piece is converted before anything is
// written, which checks it; a longer one must have passed checkEncodable.
void writeEncodable(QFileDevice& file, std::u16string_view text, const std::u16string& path) {
    std::string bytes;
    bytes.reserve(std::min(text.size(), kPiece));
    for (std::size_t at = 0; at < text.size(); at += kPiece) {
        bytes.clear();
        try {
            encodeWindows1252(text.substr(at, kPiece), bytes);
        } catch (Error& error) {
            if (error.file.empty()) error.file = path;
            throw;
        }
        writeAll(file, bytes, path);
    }
}

}  // namespace

ReplacingOutputFile::ReplacingOutputFile(const QString& nativePath, std::u16string displayPath)
    : file_(nativePath), path_(std::move(displayPath)) {
    if (QFileInfo(nativePath).isDir()) throw FileError(path_, u"c'est un dossier");
    // A writable file in a folder that takes no new file is written in place: saving it must
    // not fail for want of a temporary file beside it. Everywhere else the save stays atomic.
    file_.setDirectWriteFallback(true);
    if (!file_.open(QIODevice::WriteOnly))
        throw FileError(path_, qtReason(u"création impossible", file_));
}

void ReplacingOutputFile::Write(std::u16string_view text) {
    if (text.size() > kPiece) checkEncodable(text, path_);
    writeEncodable(file_, text, path_);
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
    if (text.size() > kPiece) checkEncodable(text, path_);
    try {
        writeEncodable(file_, text, path_);
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
