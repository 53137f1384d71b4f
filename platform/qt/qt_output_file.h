#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "platform/platform.h"

namespace qrn::platform {

// Replaces a file whole. The text goes to a new file beside it (platform/qt/save_temporaries.h),
// which is synced and renamed over the name by Commit(): the old content survives any failure,
// and no temporary file is left behind. A symbolic link is written through: its target is
// replaced. A read-only file throws ReadOnlyFileError unless replaceReadOnly; replaced, it keeps
// its mode. Opening also removes the temporary files that killed saves left in the folder.
//
// A writable file in a folder that takes no new file is written in place instead, at Commit():
// its old bytes are kept in memory and put back when the write fails part way.
//
// A write past the process's file size limit fails with EFBIG as on a full disk, never ending
// the process (platform/qt/file_size_signal.h).
class ReplacingOutputFile : public OutputFile {
public:
    ReplacingOutputFile(const QString& nativePath, std::u16string displayPath,
                        bool replaceReadOnly);
    ~ReplacingOutputFile() override;
    void Write(std::u16string_view text) override;
    void Commit() override;

private:
    void commitInPlace();

    std::u16string path_;
    QByteArray target_;
    QByteArray temporary_;  // empty when writing in place
    int fd_ = -1;
    std::size_t size_ = 0;  // bytes written to the temporary file
    std::string pending_;   // in place: the new bytes, written at Commit()
    bool writeFailed_ = false;
    bool committed_ = false;
};

// Creates a file that must not exist yet. The name is taken at once (so no one else can take
// it); the file is removed again when the output is destroyed without a successful Commit(),
// which syncs it.
class NewOutputFile : public OutputFile {
public:
    NewOutputFile(const QString& nativePath, std::u16string displayPath);
    ~NewOutputFile() override;
    void Write(std::u16string_view text) override;
    void Commit() override;

private:
    std::u16string path_;
    QByteArray name_;
    int fd_ = -1;
    std::size_t size_ = 0;
    bool writeFailed_ = false;
    bool committed_ = false;
};

}  // namespace qrn::platform
