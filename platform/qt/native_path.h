#pragma once

#include <cstdio>
#include <string>

#include <QString>

namespace qrn::platform {

// Turns a path as the user or the program gives it into a path of this system. A Windows
// drive path ("c:\program files\...", or just "c:") is looked up in the Wine prefix
// ($WINEPREFIX, else ~/.wine): drive X is the prefix's dosdevices/x: link when it exists,
// else its drive_x folder, and each name is matched against the existing entries without
// regard to case, as Windows would (an exact match wins; a name that matches nothing is kept
// as written). Any other path is returned unchanged.
QString resolveNativePath(const QString& path);

// The path of a file name the program holds (its undecodable bytes escaped, see
// decodeFileName in base/text.h), resolved as above: as the exact bytes for POSIX calls
// (open, stat), which reach any file, and as a QString for QFile and QFileInfo. Qt encodes a
// QString's name as UTF-8, so the QString form reaches the file only when the name holds no
// escaped byte; open such a name through its bytes.
std::string nativePathBytes(const std::u16string& path);
QString nativePathString(const std::u16string& path);

// Opens the file at path, resolved as above, with std::fopen's mode; null with errno set when
// it cannot.
std::FILE* openNativeFile(const std::u16string& path, const char* mode);

}  // namespace qrn::platform
