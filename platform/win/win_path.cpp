#include "platform/win/win_path.h"

#include <windows.h>

namespace qrn::platform {

namespace {

// Paths at least this long take the prefix: CreateDirectoryW already refuses a folder name of
// more than MAX_PATH - 12 characters without it.
constexpr std::size_t kPrefixFrom = MAX_PATH - 12;

std::wstring fullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (got == 0 || got >= size) return path;
    full.resize(got);
    return full;
}

}  // namespace

std::wstring widePath(const std::u16string& path) {
    std::wstring wide(path.begin(), path.end());
    if (wide.rfind(LR"(\\?\)", 0) == 0) return wide;
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    if (wide.size() < kPrefixFrom) return wide;
    const std::wstring full = fullPath(wide);
    if (full.rfind(LR"(\\)", 0) == 0) return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

std::u16string fromWide(const std::wstring& path) {
    return std::u16string(path.begin(), path.end());
}

}  // namespace qrn::platform
