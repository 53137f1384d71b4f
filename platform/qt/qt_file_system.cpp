#include "platform/qt/qt_file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/errors.h"
#include "base/system_reason.h"
#include "platform/qt/checked_open.h"
#include "platform/qt/native_path.h"
#include "platform/qt/posix_private_folder.h"
#include "platform/qt/qt_output_file.h"
#include "platform/qt/qt_text_stream.h"

namespace qrn::platform {

namespace {

bool statOf(const std::u16string& path, struct stat& info) {
    return !path.empty() && ::stat(nativePathBytes(path).c_str(), &info) == 0;
}

}  // namespace

std::unique_ptr<TextStream> QtFileSystem::OpenTextFile(const std::u16string& path) {
    return std::make_unique<QtTextStream>(nativePathBytes(path), path);
}

bool QtFileSystem::FolderExists(const std::u16string& path) {
    struct stat info {};
    return statOf(path, info) && S_ISDIR(info.st_mode);
}

bool QtFileSystem::FileExists(const std::u16string& path) {
    struct stat info {};
    return statOf(path, info) && !S_ISDIR(info.st_mode);
}

void QtFileSystem::DeleteFile(const std::u16string& path) {
    const std::string native = nativePathBytes(path);
    struct stat info {};
    if (path.empty() || ::lstat(native.c_str(), &info) != 0)
        throw FileError(path, u"fichier introuvable");
    if (S_ISDIR(info.st_mode)) throw FileError(path, u"c'est un dossier");
    if (::unlink(native.c_str()) != 0)
        throw FileError(path, withSystemReason(u"suppression impossible", errno));
}

std::unique_ptr<OutputFile> QtFileSystem::CreateOutputFile(const std::u16string& path,
                                                           CreateMode mode) {
    const QString native = nativePathString(path);
    if (mode == CreateMode::CreateNew) return std::make_unique<NewOutputFile>(native, path);
    return std::make_unique<ReplacingOutputFile>(native, path, mode == CreateMode::ReplaceReadOnly);
}

FileDigest QtFileSystem::Digest(const std::u16string& path) {
    const std::string native = nativePathBytes(path);
    struct stat info {};
    if (path.empty() ||
        (::stat(native.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)))
        return {};
    const int fd = openCheckedForReading(native, path);
    try {
        FileDigest digest = digestOf(fd, path);
        ::close(fd);
        return digest;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

std::unique_ptr<PrivateFolder> QtFileSystem::OpenPrivateFolder(const std::u16string& path,
                                                               bool create) {
    return openPosixPrivateFolder(path, create);
}

}  // namespace qrn::platform
