#include <sys/stat.h>
#include <unistd.h>

#include "platform/qt/checked_open.h"
#include "platform/qt/qt_text_stream.h"

// Opening a text file on a POSIX system (platform/qt/checked_open.h).
namespace qrn::platform {

QtTextStream::QtTextStream(const std::string& name, std::u16string displayPath)
    : path_(std::move(displayPath)) {
    fd_ = openCheckedForReading(name, path_);
    struct stat info {};
    if (::fstat(fd_, &info) == 0) size_ = info.st_size;
    buffer_.resize(kChunkSize);
}

QtTextStream::QtTextStream(int fd, std::u16string displayPath)
    : fd_(fd), path_(std::move(displayPath)) {
    try {
        checkOpenedForReading(fd_, path_);
    } catch (...) {
        ::close(fd_);
        throw;
    }
    struct stat info {};
    if (::fstat(fd_, &info) == 0) size_ = info.st_size;
    buffer_.resize(kChunkSize);
}

QtTextStream::~QtTextStream() {
    ::close(fd_);
}

}  // namespace qrn::platform
