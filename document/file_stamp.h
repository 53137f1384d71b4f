#pragma once

#include <QByteArray>
#include <QString>

namespace qrn {

// What a file held when it was last read or written: its size and a hash of its bytes. Two
// stamps of one path differ exactly when the file's bytes changed in between (or it came or
// went); a file only touched, or written again with the same bytes, keeps its stamp.
class FileStamp {
public:
    // The null stamp: nothing known.
    FileStamp() = default;
    // The file at path as it is now; a missing or unreadable file is stamped as absent.
    static FileStamp of(const QString& path);

    bool isNull() const { return path_.isNull(); }
    const QString& path() const { return path_; }
    bool exists() const { return exists_; }

    friend bool operator==(const FileStamp&, const FileStamp&) = default;

private:
    QString path_;
    bool exists_ = false;
    qint64 size_ = -1;
    QByteArray hash_;
};

}  // namespace qrn
