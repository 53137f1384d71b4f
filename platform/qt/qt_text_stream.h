#pragma once

#include <QtGlobal>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/checked_open.h"

namespace qrn::platform {

// Reads an 8-bit text file in chunks, so a file of any size needs only one chunk in memory.
class QtTextStream : public TextStream {
public:
    static constexpr qint64 kChunkSize = 64 * 1024;

    // The largest file read: anything bigger is no plan, catalogue or recovery copy.
    static constexpr long long kLargestFile = kLargestReadFile;

    // Opens the file nativeName names for reading: its bytes as the system takes them
    // (nativePathBytes); errors name displayPath. Throws FileError when the file is missing, is
    // a folder, is not a regular file (a FIFO, a device: reading it could wait or never end), is
    // larger than kLargestFile or cannot be opened. Never waits on the file.
    QtTextStream(const std::string& nativeName, std::u16string displayPath);
    // Reads a descriptor opened elsewhere (and owned from here on), with the same checks.
    QtTextStream(int fd, std::u16string displayPath);
    ~QtTextStream() override;
    QtTextStream(const QtTextStream&) = delete;
    QtTextStream& operator=(const QtTextStream&) = delete;

    bool AtEndOfStream() override;
    std::u16string ReadLine() override;
    void ReadLineInto(std::u16string& line) override;
    std::int64_t BytesRead() override;
    std::int64_t Size() override { return size_; }

private:
    // Makes sure an unread byte is in the buffer unless the file is at its end.
    bool fill();
    // Throws FileError at the line that was being read.
    [[noreturn]] void fail(const std::u16string& reason);
    // The position of the next byte in the buffer from pos_ on, or end_. Each memchr result
    // is kept until the reading passes it, so a chunk is scanned once whatever its lines.
    std::size_t next(char byte, std::size_t& cached);
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);

    int fd_ = -1;
    std::u16string path_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    // A line ended at a CR that was the last byte of a chunk: an LF starting the next chunk
    // belongs to that line end.
    bool skipLf_ = false;
    std::size_t nextCr_ = kUnknown;
    std::size_t nextLf_ = kUnknown;
    long linesRead_ = 0;
    std::int64_t size_ = 0;
    std::int64_t bytesRead_ = 0;  // into the buffer
    std::string pending_;         // the start of a line that runs over a chunk boundary
};

}  // namespace qrn::platform
