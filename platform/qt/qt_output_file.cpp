#include "platform/qt/qt_output_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "base/codepage.h"
#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "platform/qt/file_size_signal.h"
#include "platform/qt/save_temporaries.h"

namespace qrn::platform {

namespace {

// Texts are converted and written a piece at a time, so saving a large plan needs no second,
// 8-bit copy of the whole text in memory.
constexpr std::size_t kPiece = 64 * 1024;

// Writing in place holds the old and the new bytes in memory; plans are far smaller.
constexpr std::size_t kInPlaceLimit = 64 * 1024 * 1024;
constexpr std::u16string_view kTooBigInPlace =
    u"le dossier n'accepte pas de nouveau fichier, et le fichier dépasse 64 Mio : trop grand "
    u"pour être réécrit sur place sans risque";

bool isAscii(std::u16string_view piece) {
    char16_t any = 0;
    for (char16_t c : piece) any |= c;
    return any < 0x80;
}

// Fails, naming the character and its position in the whole text, when a character of text
// has no byte; checks every piece before anything is written.
void checkTextEncodable(std::u16string_view text, const std::u16string& path) {
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

// Hands text on as bytes, one a character, a piece at a time. A text of one piece is converted
// before anything is handed on, which checks it; a longer one must have passed checkTextEncodable.
template <class Put>
void putEncoded(std::u16string_view text, const std::u16string& path, Put put) {
    if (text.size() > kPiece) checkTextEncodable(text, path);
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
        put(bytes);
    }
}

// Writes size bytes at offset at, through short writes and interruptions. Returns how many were
// written: fewer than size, with errno set, when the system refused the rest.
std::size_t writeAt(int fd, const char* data, std::size_t size, std::size_t at) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, off_t(at + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return done;
        }
        done += std::size_t(n);
    }
    return done;
}

// Appends bytes to the file at fd, which holds size bytes; a refusal fails the whole output.
void append(int fd, std::size_t& size, const std::string& bytes, bool& failed,
            const std::u16string& path) {
    const std::size_t done = writeAt(fd, bytes.data(), bytes.size(), size);
    size += done;
    if (done == bytes.size()) return;
    const int error = errno;
    failed = true;
    throw FileError(path, withSystemReason(u"écriture impossible", error));
}

// The file's whole content; throws FileError naming the reason when it cannot be read.
std::string readAll(int fd, const std::u16string& path) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        throw FileError(path, withSystemReason(u"lecture impossible", errno));
    if (std::size_t(info.st_size) > kInPlaceLimit)
        throw FileError(path, std::u16string(kTooBigInPlace));
    std::string bytes(std::size_t(info.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = pread(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FileError(path, withSystemReason(u"lecture impossible", errno));
        if (n == 0) break;
        done += std::size_t(n);
    }
    bytes.resize(done);
    return bytes;
}

// Syncs and closes fd; the system's error number, or 0 when both succeeded.
int syncAndClose(int& fd) {
    int error = fsync(fd) == 0 ? 0 : errno;
    if (close(fd) != 0 && error == 0) error = errno;
    fd = -1;
    return error;
}

// The folder part of a file's path, "" for a name without one.
QByteArray folderOf(const QByteArray& file) {
    const qsizetype slash = file.lastIndexOf('/');
    return slash < 0 ? QByteArray() : slash == 0 ? QByteArray("/") : file.left(slash);
}

// Makes a rename in folder last. Best effort: the name already leads to the complete file.
void syncFolder(const QByteArray& file) {
    const QByteArray folder = folderOf(file);
    const int fd =
        open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// The bytes of a file name as the readers open it: a name that is not UTF-8 keeps its bytes
// (base/text.h), where QFile::encodeName would make another name of it.
QByteArray fileNameBytes(const QString& name) {
    return QByteArray::fromStdString(encodeFileName(name.toStdU16String()));
}

// Whether the existing file at target may not be written: its mode denies its owner writing
// (which stops no one as root, so the bits are read, as editors do), or this user cannot.
bool isReadOnly(const QByteArray& target, const struct stat& info) {
    if ((info.st_mode & S_IWUSR) == 0) return true;
    return faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// Opens the read-only file at target for writing in place, as its owner may after making it
// writable for a moment; its mode is put back at once (the descriptor stays writable).
int openReadOnlyInPlace(const QByteArray& target, const struct stat& info) {
    int fd = open(target.constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0 || errno != EACCES || info.st_uid != geteuid()) return fd;
    const mode_t mode = info.st_mode & 07777;
    if (chmod(target.constData(), mode | S_IWUSR) != 0) return -1;
    fd = open(target.constData(), O_RDWR | O_CLOEXEC);
    const int error = errno;
    if (fd < 0 || fchmod(fd, mode) != 0) chmod(target.constData(), mode);
    errno = error;
    return fd;
}

}  // namespace

ReplacingOutputFile::ReplacingOutputFile(const QString& nativePath, std::u16string displayPath,
                                         bool replaceReadOnly)
    : path_(std::move(displayPath)) {
    // A link is followed to the file it names, which is what gets replaced.
    QFileInfo info(nativePath);
    for (int depth = 0; info.isSymLink() && depth < 40; ++depth) info.setFile(info.symLinkTarget());
    if (info.isDir()) throw FileError(path_, u"c'est un dossier");
    target_ = fileNameBytes(info.filePath());
    struct stat old {};
    const bool exists = stat(target_.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        throw FileError(path_, u"création impossible (ce n'est pas un fichier ordinaire)");
    const bool readOnly = exists && isReadOnly(target_, old);
    if (readOnly && !replaceReadOnly)
        throw ReadOnlyFileError(path_, u"le fichier est en lecture seule");
    const mode_t mode = exists ? old.st_mode & 07777 : 0666;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temporary_ = temporaryNameBeside(target_);
        fd_ = open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        error = fd_ < 0 ? errno : 0;
    }
    if (fd_ >= 0) {
        // Held until the file is renamed or removed: the mark of a save still under way.
        flock(fd_, LOCK_EX | LOCK_NB);
        // The new file takes the old one's owner where allowed, and its mode whatever the umask.
        if (exists && fchown(fd_, old.st_uid, old.st_gid) != 0) {
        }
        if (exists) fchmod(fd_, mode);
        // The folder takes new files: the right time to clear what killed saves left in it.
        removeStaleTemporaries(folderOf(target_));
        return;
    }
    temporary_.clear();
    // A writable file in a folder that takes no new file is written in place: saving it must
    // not fail for want of a temporary file beside it.
    const bool folderRefuses =
        error == EACCES || error == EPERM || error == ENOSPC || error == EDQUOT;
    if (exists && folderRefuses) {
        if (std::size_t(old.st_size) > kInPlaceLimit)
            throw FileError(path_, std::u16string(kTooBigInPlace));
        fd_ = readOnly ? openReadOnlyInPlace(target_, old)
                       : open(target_.constData(), O_RDWR | O_CLOEXEC);
        if (fd_ >= 0) return;
    }
    throw FileError(path_, withSystemReason(u"création impossible", error));
}

ReplacingOutputFile::~ReplacingOutputFile() {
    // Removed while still open: its lock holds until it is gone.
    if (!committed_ && !temporary_.isEmpty()) unlink(temporary_.constData());
    if (fd_ >= 0) close(fd_);
}

void ReplacingOutputFile::Write(std::u16string_view text) {
    const FileSizeSignalHold hold;
    putEncoded(text, path_, [this](const std::string& bytes) {
        if (!temporary_.isEmpty()) return append(fd_, size_, bytes, writeFailed_, path_);
        if (pending_.size() + bytes.size() > kInPlaceLimit) {
            writeFailed_ = true;
            throw FileError(path_, std::u16string(kTooBigInPlace));
        }
        pending_ += bytes;
    });
}

void ReplacingOutputFile::Commit() {
    const FileSizeSignalHold hold;
    if (writeFailed_) throw FileError(path_, u"enregistrement impossible, une écriture a échoué");
    if (temporary_.isEmpty()) {
        commitInPlace();
    } else {
        // Renamed before it is closed, so that its lock marks it as in use until then; after
        // a successful fsync, closing has nothing left to report.
        if (fsync(fd_) != 0)
            throw FileError(path_, withSystemReason(u"enregistrement impossible", errno));
        if (rename(temporary_.constData(), target_.constData()) != 0)
            throw FileError(path_, withSystemReason(u"enregistrement impossible", errno));
        close(fd_);
        fd_ = -1;
        syncFolder(target_);
    }
    committed_ = true;
}

void ReplacingOutputFile::commitInPlace() {
    const std::string old = readAll(fd_, path_);
    // The new bytes go over the old ones and the file is cut to their length only once all
    // are written; changed is how far the old bytes may differ from the file's.
    const std::size_t written = writeAt(fd_, pending_.data(), pending_.size(), 0);
    int error = written < pending_.size() ? errno : 0;
    std::size_t changed = std::min(written, old.size());
    if (error == 0) {
        changed = old.size();
        if (ftruncate(fd_, off_t(pending_.size())) != 0 || fsync(fd_) != 0) error = errno;
    }
    if (error == 0) {
        close(fd_);
        fd_ = -1;
        return;
    }
    if (writeAt(fd_, old.data(), changed, 0) != changed || ftruncate(fd_, off_t(old.size())) != 0 ||
        fsync(fd_) != 0)
        throw DamagedFileError(path_,
                               withSystemReason(u"écriture impossible", error) +
                                   u" : le fichier n'a pu être écrit qu'en partie et son contenu "
                                   u"précédent n'a pas pu être rétabli");
    throw FileError(path_, withSystemReason(u"écriture impossible", error));
}

NewOutputFile::NewOutputFile(const QString& nativePath, std::u16string displayPath)
    : path_(std::move(displayPath)), name_(fileNameBytes(nativePath)) {
    fd_ = open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) return;
    const int error = errno;
    if (error == EEXIST) throw FileExistsError(path_, u"ce nom est déjà pris");
    throw FileError(path_, withSystemReason(u"création impossible", error));
}

NewOutputFile::~NewOutputFile() {
    if (committed_) return;
    if (fd_ >= 0) close(fd_);
    unlink(name_.constData());
}

void NewOutputFile::Write(std::u16string_view text) {
    const FileSizeSignalHold hold;
    putEncoded(text, path_, [this](const std::string& bytes) {
        append(fd_, size_, bytes, writeFailed_, path_);
    });
}

void NewOutputFile::Commit() {
    const FileSizeSignalHold hold;
    if (writeFailed_) throw FileError(path_, u"enregistrement impossible, une écriture a échoué");
    if (const int error = syncAndClose(fd_))
        throw FileError(path_, withSystemReason(u"enregistrement impossible", error));
    committed_ = true;
}

}  // namespace qrn::platform
