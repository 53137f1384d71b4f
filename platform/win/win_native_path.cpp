#include <cstdio>

#include "base/text.h"
#include "platform/qt/native_path.h"
#include "platform/win/win_path.h"

// Windows paths are the system's own: nothing to look up in a Wine prefix.
namespace qrn::platform {

QString resolveNativePath(const QString& path) {
    return path;
}

std::string nativePathBytes(const std::u16string& path) {
    return encodeFileName(path);
}

QString nativePathString(const std::u16string& path) {
    return QString::fromStdU16String(path);
}

std::FILE* openNativeFile(const std::u16string& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(widePath(path).c_str(), wideMode.c_str());
}

}  // namespace qrn::platform
