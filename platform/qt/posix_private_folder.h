#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace qrn::platform {

// The private folder at path (a name the program holds, see nativePathBytes) over POSIX calls:
// the folder and the one above it (both the program's own, created by it) are opened with
// O_NOFOLLOW from the folder above them, and every file relative to the folder's descriptor.
std::unique_ptr<PrivateFolder> openPosixPrivateFolder(const std::u16string& path, bool create);

}  // namespace qrn::platform
