#include "platform/qt/checked_open.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>

#include <cerrno>
#include <vector>

#include "base/errors.h"
#include "base/system_reason.h"

namespace qrn::platform {

namespace {

// Refuses what is not a regular file of a readable size, as stat or fstat describe it.
void checkKind(const struct stat& info, const std::u16string& path) {
    if (S_ISDIR(info.st_mode)) throw FileError(path, u"c'est un dossier");
    if (!S_ISREG(info.st_mode)) throw FileError(path, u"ce n'est pas un fichier ordinaire");
    if (info.st_size > kLargestReadFile)
        throw FileError(path, u"fichier trop grand (plus de 1 Gio)");
}

[[noreturn]] void failToOpen(int error, const std::u16string& path) {
    if (error == ENOENT) throw FileError(path, u"fichier introuvable");
    throw FileError(path, withSystemReason(u"lecture impossible", error));
}

}  // namespace

void checkOpenedForReading(int fd, const std::u16string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) failToOpen(errno, path);
    checkKind(info, path);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) failToOpen(errno, path);
}

int openCheckedForReading(const std::string& name, const std::u16string& path) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) failToOpen(errno, path);
    checkKind(info, path);
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) failToOpen(errno, path);
    try {
        checkOpenedForReading(fd, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
}

FileDigest digestOf(int fd, const std::u16string& path) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::vector<char> buffer(256 * 1024);
    FileDigest digest;
    digest.size = 0;
    while (true) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw FileError(path, withSystemReason(u"lecture impossible", errno));
        if (got == 0) break;
        hash.addData(QByteArrayView(buffer.data(), got));
        digest.size += got;
        // Grown past the limit while it is read: no plan either.
        if (digest.size > kLargestReadFile)
            throw FileError(path, u"fichier trop grand (plus de 1 Gio)");
    }
    digest.exists = true;
    digest.sha256 = hash.result().toHex().toStdString();
    return digest;
}

}  // namespace qrn::platform
