#pragma once

#include <string>

namespace qrn::platform {

// A path as the wide-character file API takes it: slashes turned to backslashes, and a path
// long enough for the system's 260-character limit to cut made absolute under the \\?\ prefix
// (\\?\UNC\ for a share), which lifts the limit.
std::wstring widePath(const std::u16string& path);

// The text of a wide-character path, as the program holds texts.
std::u16string fromWide(const std::wstring& path);

}  // namespace qrn::platform
