#pragma once

#include <string>

#include "platform/platform.h"

namespace qrn::platform {

// The largest file read: anything bigger is no plan, catalogue or recovery copy.
inline constexpr long long kLargestReadFile = 1LL << 30;

// Opens the file the bytes name names for reading, as every reader of this program does: looked
// at before it is opened (opening a device can itself do something), opened without waiting (a
// FIFO waits for a writer), and looked at again, as the name may have changed in between. The
// descriptor returned blocks again for reading. Throws FileError naming displayPath when the
// file is missing, is a folder, is not a regular file (a FIFO, a device: reading it could wait
// or never end), is larger than kLargestReadFile or cannot be opened.
int openCheckedForReading(const std::string& name, const std::u16string& displayPath);

// The same on a descriptor opened some other way: throws FileError unless it is a regular file
// of a readable size, then makes it blocking.
void checkOpenedForReading(int fd, const std::u16string& displayPath);

// The digest of the file an open, checked descriptor reads, from its start.
FileDigest digestOf(int fd, const std::u16string& displayPath);

}  // namespace qrn::platform
