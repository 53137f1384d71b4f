#pragma once

// Real files for the tests that go through Qt: whole files written and read as bytes.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace qrn::test {

inline std::u16string u16(const QString& s) {
    return s.toStdU16String();
}

// Stops the test program when the file cannot be written: nothing after it would mean anything.
inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

}  // namespace qrn::test
