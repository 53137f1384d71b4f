#include "document/file_stamp.h"

#include <QCryptographicHash>
#include <QFile>

namespace qrn {

FileStamp FileStamp::of(const QString& path) {
    FileStamp stamp;
    stamp.path_ = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return stamp;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return stamp;
    stamp.exists_ = true;
    stamp.size_ = file.size();
    stamp.hash_ = hash.result();
    return stamp;
}

}  // namespace qrn
