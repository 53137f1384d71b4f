#include <windows.h>
#undef DeleteFile  // the service of that name, not the system's macro

#include <QCryptographicHash>
#include <vector>

#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/qt_text_stream.h"
#include "platform/win/win_output_file.h"
#include "platform/win/win_path.h"

// The file system through the wide-character file API: names in any language, paths of any
// length.
namespace qrn::platform {

namespace {

DWORD attributesOf(const std::u16string& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(widePath(path).c_str());
}

}  // namespace

std::unique_ptr<TextStream> QtFileSystem::OpenTextFile(const std::u16string& path) {
    return std::make_unique<QtTextStream>(encodeFileName(path), path);
}

bool QtFileSystem::FolderExists(const std::u16string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool QtFileSystem::FileExists(const std::u16string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void QtFileSystem::DeleteFile(const std::u16string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) throw FileError(path, u"fichier introuvable");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(path, u"c'est un dossier");
    if (!DeleteFileW(widePath(path).c_str()))
        throw FileError(path, withWindowsReason(u"suppression impossible", GetLastError()));
}

std::unique_ptr<OutputFile> QtFileSystem::CreateOutputFile(const std::u16string& path,
                                                           CreateMode mode) {
    if (mode == CreateMode::CreateNew) return std::make_unique<WinNewOutputFile>(path);
    return std::make_unique<WinReplacingOutputFile>(path, mode == CreateMode::ReplaceReadOnly);
}

FileDigest QtFileSystem::Digest(const std::u16string& path) {
    FileDigest digest;
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return digest;
    }
    QtTextStream(encodeFileName(path), path);  // refuses what no reader would read
    HANDLE handle = CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw FileError(path, withWindowsReason(u"lecture impossible", GetLastError()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::vector<char> buffer(64 * 1024);
    std::int64_t size = 0;
    while (true) {
        DWORD got = 0;
        if (!ReadFile(handle, buffer.data(), DWORD(buffer.size()), &got, nullptr)) {
            const DWORD error = GetLastError();
            CloseHandle(handle);
            throw FileError(path, withWindowsReason(u"lecture impossible", error));
        }
        if (got == 0) break;
        hash.addData(QByteArrayView(buffer.data(), qsizetype(got)));
        size += got;
    }
    CloseHandle(handle);
    digest.exists = true;
    digest.size = size;
    digest.sha256 = hash.result().toHex().toStdString();
    return digest;
}

std::unique_ptr<PrivateFolder> QtFileSystem::OpenPrivateFolder(const std::u16string& path, bool) {
    throw FileError(path, u"dossier de récupération pas encore disponible sous Windows");
}

}  // namespace qrn::platform
