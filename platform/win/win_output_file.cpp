#include "platform/win/win_output_file.h"

#include <windows.h>

#include <random>

#include "base/codepage.h"
#include "base/errors.h"
#include "base/system_reason.h"
#include "platform/win/win_path.h"

namespace qrn::platform {

namespace {

// Texts are converted and written a piece at a time, so saving a large plan needs no second,
// 8-bit copy of the whole text in memory.
constexpr std::size_t kPiece = 64 * 1024;

// The bytes of text, a piece at a time, handed to put once every piece has been converted: a
// character outside Windows-1252 fails naming its position in the whole text, before anything
// is written.
template <class Put>
void putEncoded(std::u16string_view text, const std::u16string& path, Put put) {
    std::string bytes;
    try {
        if (text.size() > kPiece)
            for (std::size_t at = 0; at < text.size(); at += kPiece) {
                bytes.clear();
                encodeWindows1252(text.substr(at, kPiece), bytes);
            }
    } catch (const Error&) {
        try {
            encodeWindows1252(text);  // the same failure, with its position in the whole text
        } catch (Error& error) {
            if (error.file.empty()) error.file = path;
            throw;
        }
    }
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

// Writes all of bytes; the system's error code, or 0.
DWORD writeAll(HANDLE handle, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr))
            return GetLastError();
        if (written == 0) return ERROR_DISK_FULL;
        done += written;
    }
    return 0;
}

// Flushes and closes handle; the system's error code, or 0 when both succeeded.
DWORD flushAndClose(void*& handle) {
    DWORD error = FlushFileBuffers(handle) ? 0 : GetLastError();
    if (!CloseHandle(handle) && error == 0) error = GetLastError();
    handle = nullptr;
    return error;
}

// A name beside target that nothing else uses: ".NAME.XXXXXX", NAME cut short enough that the
// whole name stays within the system's limit.
std::wstring temporaryName(const std::wstring& target) {
    static thread_local std::mt19937 draw{std::random_device{}()};
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    std::wstring name = target.substr(slash == std::wstring::npos ? 0 : slash + 1).substr(0, 60);
    if (!name.empty() && IS_HIGH_SURROGATE(name.back())) name.pop_back();
    std::wstring path = folder + L"." + name + L".";
    for (int i = 0; i < 6; ++i) path += kLetters[draw() % (sizeof kLetters / sizeof *kLetters - 1)];
    return path;
}

// The reason a save was refused, naming a program that holds the file.
std::u16string saveFailure(DWORD error) {
    return withWindowsReason(u"enregistrement impossible", error);
}

}  // namespace

WinReplacingOutputFile::WinReplacingOutputFile(const std::u16string& path, bool replaceReadOnly)
    : path_(path), target_(widePath(path)) {
    const DWORD attributes = GetFileAttributesW(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(path_, u"c'est un dossier");
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            if (!replaceReadOnly)
                throw ReadOnlyFileError(path_, u"le fichier est en lecture seule");
            readOnlyAttributes_ = attributes;
        }
    }
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        temporary_ = temporaryName(target_);
        handle_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        error = handle_ == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    }
    if (error == 0) return;
    handle_ = nullptr;
    temporary_.clear();
    throw FileError(path_, withWindowsReason(u"création impossible", error));
}

WinReplacingOutputFile::~WinReplacingOutputFile() {
    if (handle_ != nullptr) CloseHandle(handle_);
    if (!committed_ && !temporary_.empty()) DeleteFileW(temporary_.c_str());
}

void WinReplacingOutputFile::Write(std::u16string_view text) {
    putEncoded(text, path_, [this](const std::string& bytes) {
        if (const DWORD error = writeAll(handle_, bytes)) {
            writeFailed_ = true;
            throw FileError(path_, withWindowsReason(u"écriture impossible", error));
        }
    });
}

void WinReplacingOutputFile::Commit() {
    if (writeFailed_) throw FileError(path_, u"enregistrement impossible, une écriture a échoué");
    if (const DWORD error = flushAndClose(handle_)) throw FileError(path_, saveFailure(error));
    // A read-only file the user chose to replace anyway is made writable for the move, and
    // read-only again after it, whether the move succeeded or not.
    if (readOnlyAttributes_ != 0)
        SetFileAttributesW(target_.c_str(), readOnlyAttributes_ & ~DWORD(FILE_ATTRIBUTE_READONLY));
    const bool moved = MoveFileExW(temporary_.c_str(), target_.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    const DWORD moveError = moved ? 0 : GetLastError();
    if (readOnlyAttributes_ != 0) SetFileAttributesW(target_.c_str(), readOnlyAttributes_);
    if (!moved) {
        DWORD error = moveError;
        // A file held open by another program refuses to be replaced with "access denied" as
        // often as with a sharing violation: opening it tells which.
        if (error == ERROR_ACCESS_DENIED) {
            const DWORD attributes = GetFileAttributesW(target_.c_str());
            HANDLE probe = CreateFileW(target_.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
            if (probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION)
                error = ERROR_SHARING_VIOLATION;
            else if (attributes != INVALID_FILE_ATTRIBUTES &&
                     (attributes & FILE_ATTRIBUTE_READONLY))
                throw FileError(path_, u"le fichier est en lecture seule");
            if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
        }
        throw FileError(path_, saveFailure(error));
    }
    committed_ = true;
}

WinNewOutputFile::WinNewOutputFile(const std::u16string& path)
    : path_(path), name_(widePath(path)) {
    handle_ = CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ != INVALID_HANDLE_VALUE) return;
    handle_ = nullptr;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        throw FileExistsError(path_, u"ce nom est déjà pris");
    throw FileError(path_, withWindowsReason(u"création impossible", error));
}

WinNewOutputFile::~WinNewOutputFile() {
    if (committed_) return;
    if (handle_ != nullptr) CloseHandle(handle_);
    DeleteFileW(name_.c_str());
}

void WinNewOutputFile::Write(std::u16string_view text) {
    putEncoded(text, path_, [this](const std::string& bytes) {
        if (const DWORD error = writeAll(handle_, bytes)) {
            writeFailed_ = true;
            throw FileError(path_, withWindowsReason(u"écriture impossible", error));
        }
    });
}

void WinNewOutputFile::Commit() {
    if (writeFailed_) throw FileError(path_, u"enregistrement impossible, une écriture a échoué");
    if (const DWORD error = flushAndClose(handle_)) throw FileError(path_, saveFailure(error));
    committed_ = true;
}

}  // namespace qrn::platform
