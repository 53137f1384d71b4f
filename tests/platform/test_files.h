#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <string>

namespace qrn::platform::test {

// Small helpers over real files for the file system tests.
inline void writeBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

inline std::string readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

inline std::u16string u16(const QString& path) {
    return path.toStdU16String();
}

}  // namespace qrn::platform::test
