#pragma once

// Copies in a recovery folder as a window that died would leave them.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QSysInfo>

#include "tests/support/qt_files.h"

namespace qrn::test {

// A lock left by a process that no longer runs.
inline QByteArray deadLock() {
    return "999999\nqrnhost\n" + QSysInfo::machineHostName().toUtf8() + "\n";
}

// A copy of one row and, unless told otherwise, the lock its dead window left.
inline void writeOrphan(const QString& folder, const QString& name, bool withLock = true) {
    QDir().mkpath(folder);
    writeBytes(folder + u'/' + name + u".jsonl"_qs,
               "{\"file\": \"p.qrn\"}\r\n{\"index\": 1, \"building\": \"B\", \"cells\": "
               "[\"1\",\"2\",\"3\",\"4\",\"5\",\"6\"]}\r\n");
    if (withLock) writeBytes(folder + u'/' + name + u".lock"_qs, deadLock());
}

}  // namespace qrn::test
