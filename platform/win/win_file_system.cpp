#include <windows.h>
#undef DeleteFile  // the service of that name, not the system's macro

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
    return std::make_unique<WinReplacingOutputFile>(path);
}

}  // namespace qrn::platform
