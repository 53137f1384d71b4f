#include "test_files.h"

#include <gtest/gtest.h>

#include <QFile>

namespace qrn::platform::test {

void writeBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
    return file.readAll().toStdString();
}

std::u16string u16(const QString& path) {
    return path.toStdU16String();
}

}  // namespace qrn::platform::test
