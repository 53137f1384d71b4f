#pragma once

#include <QString>
#include <string>

namespace qrn::platform::test {

// Small helpers over real files for the file system tests.
void writeBytes(const QString& path, const std::string& bytes);
std::string readBytes(const QString& path);
std::u16string u16(const QString& path);

}  // namespace qrn::platform::test
