#include "bench/baseline.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/qt/qt_text_stream.h"

namespace qrn::bench {

std::size_t scanLineEnds(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    std::vector<char> buffer(std::size_t(platform::QtTextStream::kChunkSize));
    std::size_t lines = 0;
    ssize_t got;
    while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) {
        const char* p = buffer.data();
        const char* end = p + got;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p))))) {
            ++lines;
            ++p;
        }
    }
    ::close(fd);
    if (got < 0) throw std::runtime_error("cannot read " + path);
    return lines;
}

char copyBytes(const std::string& bytes) {
    std::unique_ptr<char[]> copy(new char[bytes.size() + 1]);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    copy[bytes.size()] = 0;
    return copy[bytes.size() / 2];
}

void writeBytesToFile(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + temporary);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0) throw std::runtime_error("cannot write " + temporary);
        done += std::size_t(put);
    }
    const bool ok = ::fdatasync(fd) == 0;
    ::close(fd);
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace qrn::bench
