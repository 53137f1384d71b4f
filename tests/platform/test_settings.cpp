#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "base/errors.h"
#include "platform/qt/qt_settings.h"

namespace qrn::platform {
namespace {

class SettingsValues : public ::testing::TestWithParam<std::u16string> {};

// Where Qt keeps an application's settings for this user: under XDG_CONFIG_HOME, which main()
// points at a temporary folder.
QString settingsFile(const QString& appName) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' + appName +
           '/' + appName + ".conf";
}

TEST_P(SettingsValues, ComeBackExactly) {
    QtSettings settings;
    settings.SaveSetting(u"MXBEdit", u"Main", u"QRNPath", GetParam());
    EXPECT_EQ(settings.GetSetting(u"MXBEdit", u"Main", u"QRNPath", u"fallback"), GetParam());
    // Qt keeps the file's values in memory; a copy under another name is read from the disk.
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.conf");
    ASSERT_TRUE(QFile::copy(settingsFile("MXBEdit"), copy));
    EXPECT_EQ(QSettings(copy, QSettings::IniFormat).value("Main/QRNPath").toString(),
              QString::fromStdU16String(GetParam()));
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

TEST(Settings, SavingWhereNothingCanBeWrittenFails) {
    const QString saved = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/proc/qrn-none");
    QtSettings settings;
    EXPECT_THROW(settings.SaveSetting(u"Unwritable", u"Main", u"QRNPath", u"x"), FileError);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, saved);
}

}  // namespace
}  // namespace qrn::platform
