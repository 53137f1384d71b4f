#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "platform/qt/qt_text_stream.h"
#include "platform/win/win_path.h"

// Opening a text file on Windows: through the wide-character API, shared with other programs
// that read or write it, then read as bytes through the C runtime's descriptor.
namespace qrn::platform {

namespace {

[[noreturn]] void failToOpen(DWORD error, const std::u16string& path) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        throw FileError(path, u"fichier introuvable");
    throw FileError(path, withWindowsReason(u"lecture impossible", error));
}

}  // namespace

QtTextStream::QtTextStream(const std::string& nativeName, std::u16string displayPath)
    : path_(std::move(displayPath)) {
    const std::wstring name = widePath(decodeFileName(nativeName));
    // A device has no attributes: the opening below tells what it is.
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            failToOpen(error, path_);
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        throw FileError(path_, u"c'est un dossier");
    }
    HANDLE handle = CreateFileW(
        name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) failToOpen(GetLastError(), path_);
    // A device or a pipe ("CON", "NUL", "\\.\pipe\...") could wait or never end.
    LARGE_INTEGER size{};
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        throw FileError(path_, u"ce n'est pas un fichier ordinaire");
    }
    if (!GetFileSizeEx(handle, &size) || size.QuadPart > kLargestFile) {
        CloseHandle(handle);
        throw FileError(path_, u"fichier trop grand (plus de 1 Gio)");
    }
    fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd_ < 0) {
        CloseHandle(handle);
        throw FileError(path_, u"lecture impossible (trop de fichiers ouverts)");
    }
    size_ = size.QuadPart;
    buffer_.resize(kChunkSize);
}

QtTextStream::~QtTextStream() {
    _close(fd_);
}

}  // namespace qrn::platform
