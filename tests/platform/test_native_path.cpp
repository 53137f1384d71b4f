#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/text.h"
#include "platform/qt/native_path.h"
#include "platform/qt/qt_file_system.h"
#include "tests/support/qt_files.h"

namespace qrn::platform {
namespace {

// A Wine prefix with mixed-case folders, in place of the user's own.
class WinePaths : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix_.isValid());
        qputenv("WINEPREFIX", prefix_.path().toLocal8Bit());
        data_ = prefix_.path() + "/drive_c/Program Files/Microsoft Games/Age of Empires/Data";
        ASSERT_TRUE(QDir().mkpath(data_));
        test::writeBytes(data_ + "/Plan.txt", "P");
        test::writeBytes(data_ + "/plan.TXT", "p");
    }
    void TearDown() override { qunsetenv("WINEPREFIX"); }  // no other test reads it
    QTemporaryDir prefix_;
    QString data_;
};

TEST_F(WinePaths, DrivePathsFindTheirEntriesWhateverTheCase) {
    EXPECT_EQ(resolveNativePath("c:\\program files\\microsoft games\\age of empires\\data"), data_);
    EXPECT_EQ(resolveNativePath("C:\\PROGRAM FILES\\Microsoft Games\\\\age of empires\\DATA\\"),
              data_);
    for (const QString drive : {"A:", "a:", "Z:", "z:"})  // the letters' bounds
        EXPECT_EQ(resolveNativePath(drive), prefix_.path() + "/drive_" + drive[0].toLower());
    // An exact match wins over a match that differs in case only.
    EXPECT_EQ(
        resolveNativePath("c:\\program files\\microsoft games\\age of empires\\data\\plan.TXT"),
        data_ + "/plan.TXT");
    // A name that matches nothing is kept as written, and so is everything under it.
    EXPECT_EQ(resolveNativePath("c:\\Program files\\New Folder\\x.txt"),
              prefix_.path() + "/drive_c/Program Files/New Folder/x.txt");
}

TEST_F(WinePaths, OtherPathsAreUsedAsTheyAre) {
    for (const QString path :
         {"/tmp/Data", "relative\\name", "c:name", "", "1:\\x", "@:", "[:", "`:", "{:"})
        EXPECT_EQ(resolveNativePath(path), path);
}

TEST_F(WinePaths, ADosDeviceLinkNamesItsDrive) {
    QTemporaryDir cdrom;
    test::writeBytes(cdrom.filePath("Setup.TXT"), "s");
    ASSERT_TRUE(QDir().mkpath(prefix_.path() + "/dosdevices"));
    ASSERT_TRUE(QFile::link(cdrom.path(), prefix_.path() + "/dosdevices/z:"));  // the last letter
    EXPECT_EQ(resolveNativePath("z:\\setup.txt"), prefix_.path() + "/dosdevices/z:/Setup.TXT");
}

// A name in Latin-1 bytes, taken from the command line or a folder, reaches its file again.
TEST_F(WinePaths, NamesThatAreNotUtf8GiveBackTheirBytes) {
    const std::string folder = data_.toStdString();
    const std::string bytes = folder + "/r\xE9sum\xE9.qrn";
    const int fd = ::open(bytes.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(nativePathBytes(decodeFileName(bytes)), bytes);
    EXPECT_EQ(nativePathBytes(u"c:\\program files\\microsoft games\\age of empires\\data\\r" +
                              decodeFileName("\xE9sum\xE9.qrn")),
              bytes);
    ::unlink(bytes.c_str());  // QTemporaryDir cannot remove it
    // A name in UTF-8 is the same name for Qt.
    EXPECT_EQ(nativePathString(u"c:\\program files\\microsoft games\\age of empires\\data\\été"),
              data_ + "/été");
}

TEST_F(WinePaths, TheFileSystemResolvesEveryPath) {
    QtFileSystem files;
    const std::u16string folder = u"c:\\program files\\microsoft games\\age of empires\\data";
    EXPECT_TRUE(files.FolderExists(folder));
    EXPECT_TRUE(files.FileExists(folder + u"\\PLAN.txt"));
    EXPECT_EQ(files.OpenTextFile(folder + u"\\plan.txt")->ReadLine(), u"P");
    files.DeleteFile(folder + u"\\PLAN.TXT");
    EXPECT_EQ(QDir(data_).entryList(QDir::Files).size(), 1);
}

}  // namespace
}  // namespace qrn::platform
