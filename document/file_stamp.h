#pragma once

#include <string>

#include "platform/platform.h"

namespace qrn {

// What a file held when it was last read or written: its size and a digest of its bytes. Two
// stamps of one path differ exactly when the file's bytes changed in between (or it came or
// went, or something that is no plan took its place); a file only touched, or written again
// with the same bytes, keeps its stamp. The file is read through the file system, by its exact
// bytes and with the checks of any opening: a FIFO or a device is never read.
class FileStamp {
public:
    // The null stamp: nothing known.
    FileStamp() = default;
    // The stamp of path as digest describes it (kept in a recovery copy).
    FileStamp(std::u16string path, platform::FileDigest digest)
        : path_(std::move(path)), digest_(std::move(digest)) {}
    // The file at path as it is now; a missing file is stamped as absent, one that cannot be
    // read (a FIFO, a device, too large, unreadable) as refused.
    static FileStamp of(const std::u16string& path, platform::FileSystem& files);

    bool isNull() const { return path_.empty(); }
    const std::u16string& path() const { return path_; }
    // Something is there (a refused file too).
    bool exists() const { return digest_.exists || !refusal_.empty(); }
    // Why the file there could not be read, as the opening says it; empty when it was read.
    const std::u16string& refusal() const { return refusal_; }
    const platform::FileDigest& digest() const { return digest_; }

    friend bool operator==(const FileStamp&, const FileStamp&) = default;

private:
    std::u16string path_;
    platform::FileDigest digest_;
    std::u16string refusal_;
};

}  // namespace qrn
