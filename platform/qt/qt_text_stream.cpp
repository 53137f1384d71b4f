#include "qt_text_stream.h"

#include <QFileInfo>
#include <algorithm>

#include "codepage.h"
#include "errors.h"

namespace qrn::platform {

namespace {

std::u16string decode(const char* bytes, std::size_t size) {
    std::u16string line(size, u'\0');
    for (std::size_t i = 0; i < size; ++i)
        line[i] = decodeByte(static_cast<unsigned char>(bytes[i]));
    return line;
}

const char* findLineEnd(const char* from, const char* to) {
    for (; from != to; ++from)
        if (*from == '\n' || *from == '\r') return from;
    return to;
}

}  // namespace

QtTextStream::QtTextStream(const QString& nativePath, std::u16string displayPath)
    : file_(nativePath), path_(std::move(displayPath)) {
    const QFileInfo info(nativePath);
    if (!info.exists()) throw FileError(path_, u"fichier introuvable");
    if (info.isDir()) throw FileError(path_, u"c'est un dossier");
    if (!file_.open(QIODevice::ReadOnly))
        throw FileError(path_, u"lecture impossible : " + file_.errorString().toStdU16String());
    buffer_.resize(kChunkSize);
}

void QtTextStream::fail(const std::u16string& reason) {
    FileError error(path_, reason);
    error.line = linesRead_ + 1;
    throw error;
}

bool QtTextStream::fill() {
    while (true) {
        if (pos_ == end_ && !eof_) {
            const qint64 got = file_.read(buffer_.data(), kChunkSize);
            if (got < 0) fail(u"lecture impossible : " + file_.errorString().toStdU16String());
            pos_ = 0;
            end_ = static_cast<std::size_t>(got);
            eof_ = got == 0;
        }
        if (pos_ == end_) return false;
        if (!skipLf_) return true;
        skipLf_ = false;
        if (buffer_[pos_] == '\n') ++pos_;
    }
}

bool QtTextStream::AtEndOfStream() {
    return !fill();
}

std::u16string QtTextStream::ReadLine() {
    if (!fill()) fail(u"fin du fichier atteinte, il n'y a plus de ligne à lire");
    pending_.clear();
    while (true) {
        const char* start = buffer_.data() + pos_;
        const char* stop = buffer_.data() + end_;
        const char* lineEnd = findLineEnd(start, stop);
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
            if (pending_.empty()) return decode(start, static_cast<std::size_t>(lineEnd - start));
            pending_.append(start, lineEnd);
            return decode(pending_.data(), pending_.size());
        }
        pending_.append(start, stop);
        pos_ = end_;
        if (!fill()) break;
    }
    ++linesRead_;
    return decode(pending_.data(), pending_.size());
}

}  // namespace qrn::platform
