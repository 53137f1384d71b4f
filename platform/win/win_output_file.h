#pragma once

#include <string>

#include "platform/platform.h"

namespace qrn::platform {

// Replaces a file whole. The text goes to a new file beside it, which is flushed to the disk and
// moved over the name by Commit() (MoveFileExW, replacing and writing through): the old content
// survives any failure, and no temporary file is left behind. A read-only file throws
// ReadOnlyFileError unless replaceReadOnly; replaced, it keeps its attributes. A file that another
// program holds open is reported as such. Neither loses a byte.
class WinReplacingOutputFile : public OutputFile {
public:
    WinReplacingOutputFile(const std::u16string& path, bool replaceReadOnly);
    ~WinReplacingOutputFile() override;
    WinReplacingOutputFile(const WinReplacingOutputFile&) = delete;
    WinReplacingOutputFile& operator=(const WinReplacingOutputFile&) = delete;
    void Write(std::u16string_view text) override;
    void Commit() override;

private:
    std::u16string path_;
    std::wstring target_;
    std::wstring temporary_;
    void* handle_ = nullptr;                // the temporary file's
    unsigned long readOnlyAttributes_ = 0;  // a read-only file's attributes, to put back
    bool writeFailed_ = false;
    bool committed_ = false;
};

// Creates a file that must not exist yet. The name is taken at once; the file is removed again
// when the output is destroyed without a successful Commit(), which flushes it.
class WinNewOutputFile : public OutputFile {
public:
    WinNewOutputFile(const std::u16string& path);
    ~WinNewOutputFile() override;
    WinNewOutputFile(const WinNewOutputFile&) = delete;
    WinNewOutputFile& operator=(const WinNewOutputFile&) = delete;
    void Write(std::u16string_view text) override;
    void Commit() override;

private:
    std::u16string path_;
    std::wstring name_;
    void* handle_ = nullptr;
    bool writeFailed_ = false;
    bool committed_ = false;
};

}  // namespace qrn::platform
