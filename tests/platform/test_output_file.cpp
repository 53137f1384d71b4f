#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/errors.h"
#include "platform/qt/qt_file_system.h"
#include "tests/support/failure.h"
#include "tests/support/qt_files.h"

namespace qrn::platform {
namespace {

using test::u16;

const std::string kOld = "old content, longer than the new one";
const QString kName = "plan d'été € 東.txt";  // spaces and non-ASCII characters: as typed

std::string readBytes(const QString& path) {
    return test::readAll(path).toStdString();
}

class OutputFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(kName);
        test::writeBytes(path_, QByteArray::fromStdString(kOld));
    }
    QTemporaryDir dir_;
    QString path_;
    QtFileSystem files_;
};

// Long texts are converted a piece at a time: a bad character far into the text still fails
// before any byte is written, and is named by its place in the whole text. Until the commit the
// old content stays, and an output dropped uncommitted leaves no other file.
TEST_F(OutputFiles, ATextIsWrittenWholeOrNotAtAll) {
    {
        auto dropped = files_.CreateOutputFile(u16(path_), CreateMode::Replace);
        dropped->Write(u"new");
    }
    EXPECT_EQ(readBytes(path_), kOld);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{kName});
    for (const CreateMode mode : {CreateMode::Replace, CreateMode::CreateNew}) {
        const QString path = dir_.filePath(mode == CreateMode::Replace ? kName : "new.txt");
        std::u16string text(200000, u'a');
        text[150000] = u'\u00E9';
        text[150001] = u'\u0100';
        auto out = files_.CreateOutputFile(u16(path), mode);
        const Error error = test::failureOf([&] { out->Write(text); });
        EXPECT_NE(error.reason().find(u"150002"), std::u16string::npos);
        text[150001] = u'b';
        out->Write(text);
        EXPECT_TRUE(mode != CreateMode::Replace || readBytes(path) == kOld);
        out->Commit();
        std::string expected(200000, 'a');
        expected[150000] = '\xE9';
        expected[150001] = 'b';
        EXPECT_EQ(readBytes(path), expected);
    }
}

TEST_F(OutputFiles, ReplaceFailsWhenItCannotCommitAndLeavesTheNameAlone) {
    auto out = files_.CreateOutputFile(u16(path_), CreateMode::Replace);
    out->Write(u"new");
    ASSERT_TRUE(QFile::remove(path_));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(kName));
    EXPECT_THROW(out->Commit(), FileError);
    EXPECT_TRUE(QFileInfo(path_).isDir());
}

// A folder, a missing parent or a place nothing can be written: FileError, and nothing made.
TEST_F(OutputFiles, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    const QString folder = dir_.filePath("readonly");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString plan = folder + "/plan.qrn";
    test::writeBytes(plan, "old");
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(folder,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(
        plan, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    // In a child process, as the user nobody when root (who writes anywhere).
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(1);
        try {
            auto out = files_.CreateOutputFile(u16(plan), CreateMode::Replace);
            out->Write(u"new");
            out->Commit();
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(plan), "new");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"plan.qrn"});
}

TEST_F(OutputFiles, OpeningFailsForAFolderOrAMissingParent) {
    for (CreateMode mode : {CreateMode::Replace, CreateMode::CreateNew})
        for (const QString& path : {dir_.path(), dir_.filePath("no/x.txt"), QString("/proc/x.txt")})
            EXPECT_THROW(files_.CreateOutputFile(u16(path), mode), FileError) << path.toStdString();
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{kName});
}

TEST_F(OutputFiles, CreateNewRefusesATakenNameAndRemovesItsFileUnlessCommitted) {
    EXPECT_THROW(files_.CreateOutputFile(u16(path_), CreateMode::CreateNew), FileExistsError);
    EXPECT_EQ(readBytes(path_), kOld);
    const QString fresh = dir_.filePath("~ABCD1234.tmp");
    {
        auto out = files_.CreateOutputFile(u16(fresh), CreateMode::CreateNew);
        out->Write(u"partial");
        EXPECT_TRUE(QFile::exists(fresh));
    }
    EXPECT_FALSE(QFile::exists(fresh));
    auto out = files_.CreateOutputFile(u16(fresh), CreateMode::CreateNew);
    out->Write(u"whole");
    out->Commit();
    out.reset();
    EXPECT_EQ(readBytes(fresh), "whole");
}

TEST_F(OutputFiles, DeleteRemovesAFileAndFailsOtherwise) {
    EXPECT_THROW(files_.DeleteFile(u16(dir_.filePath("missing.txt"))), FileError);
    EXPECT_THROW(files_.DeleteFile(u16(dir_.path())), FileError);
    EXPECT_TRUE(QDir(dir_.path()).exists());
    EXPECT_TRUE(files_.FileExists(u16(path_)));
    files_.DeleteFile(u16(path_));
    EXPECT_FALSE(files_.FileExists(u16(path_)));
    EXPECT_TRUE(files_.FolderExists(u16(dir_.path())));
    EXPECT_FALSE(files_.FileExists(u16(dir_.path())));
}

}  // namespace
}  // namespace qrn::platform
