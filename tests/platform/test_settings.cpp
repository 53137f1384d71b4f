#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifdef _WIN32
#include <windows.h>
#endif

#include "base/errors.h"
#include "platform/qt/qt_settings.h"

namespace qrn::platform {
namespace {

class SettingsValues : public ::testing::TestWithParam<std::u16string> {};

#ifdef _WIN32
// The text the registry holds for MXBEdit / Main / QRNPath of this user, read past Qt.
QString storedPlanFolder() {
    DWORD size = 0;
    const wchar_t* key = L"Software\\MXBEdit\\Main";
    if (RegGetValueW(HKEY_CURRENT_USER, key, L"QRNPath", RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return QStringLiteral("<absent>");
    std::wstring text(size / sizeof(wchar_t), L'\0');
    RegGetValueW(HKEY_CURRENT_USER, key, L"QRNPath", RRF_RT_REG_SZ, nullptr, text.data(), &size);
    return QString::fromWCharArray(text.c_str());
}
#else
// The value of MXBEdit / Main / QRNPath in Qt's file for this user (under XDG_CONFIG_HOME,
// which main() points at a temporary folder). Qt keeps the file's values in memory; a copy
// under another name is read from the disk.
QString storedPlanFolder() {
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.conf");
    if (!QFile::copy(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         "/MXBEdit/MXBEdit.conf",
                     copy))
        return QStringLiteral("<absent>");
    return QSettings(copy, QSettings::IniFormat).value("Main/QRNPath").toString();
}
#endif

TEST_P(SettingsValues, ComeBackExactly) {
    QtSettings settings;
    settings.SaveSetting(u"MXBEdit", u"Main", u"QRNPath", GetParam());
    EXPECT_EQ(settings.GetSetting(u"MXBEdit", u"Main", u"QRNPath", u"fallback"), GetParam());
    QString stored = QString::fromStdU16String(GetParam());
#ifdef _WIN32
    // Qt marks a text that starts with "@" by doubling it in the registry.
    if (stored.startsWith(u'@')) stored.prepend(u'@');
#endif
    EXPECT_EQ(storedPlanFolder(), stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsValues,
                         ::testing::Values(u"", u" ", u"  two  ", u"c:\\program files\\x", u"a, b",
                                           u"x;y", u"@Variant(0)", u"\"quoted\"", u"été €",
                                           u"line\nbreak"));

TEST(Settings, AnAbsentKeyGivesTheFallback) {
    QtSettings settings;
    EXPECT_EQ(settings.GetSetting(u"MXBEdit", u"Main", u"NeverSaved", u"fallback"), u"fallback");
    EXPECT_EQ(settings.GetSetting(u"NoSuchApp", u"Main", u"QRNPath", u""), u"");
}

#ifndef _WIN32
TEST(Settings, SavingWhereNothingCanBeWrittenFails) {
    const QString saved = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/proc/qrn-none");
    QtSettings settings;
    EXPECT_THROW(settings.SaveSetting(u"Unwritable", u"Main", u"QRNPath", u"x"), FileError);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, saved);
}
#endif

}  // namespace
}  // namespace qrn::platform
