#include "platform/qt/qt_text_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/codepage.h"
#include "base/errors.h"
#include "base/system_reason.h"

namespace qrn::platform {

namespace {

// A line's bytes as text, into text. Plan and catalogue lines are plain ASCII nearly always, and an
// ASCII byte is its own character: such bytes are widened 16 (then 8) at a time, the others go
// through the code page.
void decode(const char* bytes, std::size_t size, std::u16string& text) {
    text.resize(size);
    char16_t* out = text.data();
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (_mm_movemask_epi8(block) != 0) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(block, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(block, zero));
    }
    if (i + 8 <= size) {
        const __m128i block = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes + i));
        if (_mm_movemask_epi8(block) == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(block, zero));
            i += 8;
        }
    }
#endif
    for (; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = byte < 0x80 ? char16_t(byte) : decodeByte(byte);
    }
}

}  // namespace

void QtTextStream::fail(const std::u16string& reason) {
    FileError error(path_, reason);
    error.line = linesRead_ + 1;
    throw error;
}

bool QtTextStream::fill() {
    while (true) {
        if (pos_ == end_ && !eof_) {
            ssize_t got = 0;
            do {
                got = ::read(fd_, buffer_.data(), kChunkSize);
            } while (got < 0 && errno == EINTR);
            if (got < 0) fail(withSystemReason(u"lecture impossible", errno));
            pos_ = 0;
            end_ = static_cast<std::size_t>(got);
            nextCr_ = nextLf_ = kUnknown;
            eof_ = got == 0;
            bytesRead_ += got;
        }
        if (pos_ == end_) return false;
        if (!skipLf_) return true;
        skipLf_ = false;
        if (buffer_[pos_] == '\n') ++pos_;
    }
}

std::size_t QtTextStream::next(char byte, std::size_t& cached) {
    if (cached == kUnknown || cached < pos_) {
        const void* found = std::memchr(buffer_.data() + pos_, byte, end_ - pos_);
        cached = found != nullptr
                     ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data())
                     : end_;
    }
    return cached;
}

std::int64_t QtTextStream::BytesRead() {
    return bytesRead_ - static_cast<std::int64_t>(end_ - pos_);
}

bool QtTextStream::AtEndOfStream() {
    return !fill();
}

std::u16string QtTextStream::ReadLine() {
    std::u16string line;
    ReadLineInto(line);
    return line;
}

void QtTextStream::ReadLineInto(std::u16string& line) {
    if (!fill()) fail(u"fin du fichier atteinte, il n'y a plus de ligne à lire");
    pending_.clear();
    while (true) {
        const char* start = buffer_.data() + pos_;
        const char* stop = buffer_.data() + end_;
        const char* lineEnd = buffer_.data() + std::min(next('\r', nextCr_), next('\n', nextLf_));
        if (lineEnd != stop) {
            pos_ = static_cast<std::size_t>(lineEnd - buffer_.data()) + 1;
            if (*lineEnd == '\r') {
                if (pos_ < end_) {
                    if (buffer_[pos_] == '\n') ++pos_;
                } else {
                    skipLf_ = true;
                }
            }
            ++linesRead_;
            if (pending_.empty())
                return decode(start, static_cast<std::size_t>(lineEnd - start), line);
            pending_.append(start, lineEnd);
            return decode(pending_.data(), pending_.size(), line);
        }
        pending_.append(start, stop);
        pos_ = end_;
        if (!fill()) break;
    }
    ++linesRead_;
    decode(pending_.data(), pending_.size(), line);
}

}  // namespace qrn::platform
