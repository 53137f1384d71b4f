#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "base/errors.h"
#include "base/text.h"
#include "platform/qt/qt_file_system.h"
#include "tests/support/failure.h"
#include "tests/support/file_size_limit.h"
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

// Writes a text of 9,000 bytes in three pieces, as a save hands them over, and commits.
void saveNineThousand(FileSystem& files, const QString& path, CreateMode mode) {
    auto out = files.CreateOutputFile(u16(path), mode);
    for (int piece = 0; piece < 3; ++piece) out->Write(std::u16string(3000, u'a'));
    out->Commit();
}

bool contains(const std::optional<std::u16string>& text, std::u16string_view part) {
    return text && text->find(part) != std::u16string::npos;
}

constexpr std::u16string_view kTooBig = u"fichier trop grand pour ce système de fichiers";

// A disk that refuses the last pieces (a size limit: EFBIG as on a full disk) fails the save
// with the system's reason, leaves the old bytes (no file at a new name) and no temporary file.
TEST_F(OutputFiles, AFileThatCannotGrowFailsTheSaveAndKeepsTheOldBytes) {
    for (const CreateMode mode : {CreateMode::Replace, CreateMode::CreateNew}) {
        for (const QString& name : {kName, QString("new.qrn")}) {
            if (mode == CreateMode::CreateNew && name == kName) continue;
            const auto error = test::runWithFileSizeLimit(
                5000, [&] { saveNineThousand(files_, dir_.filePath(name), mode); });
            EXPECT_TRUE(contains(error, kTooBig)) << name.toStdString();
            EXPECT_EQ(readBytes(path_), kOld);
            EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kName});
        }
    }
}

// A writable file in a folder that takes no new file is written in place: a late failure
// puts the old bytes back; a save that succeeds leaves the new bytes and no other file.
TEST_F(OutputFiles, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    const QString folder = dir_.filePath("readonly");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString plan = folder + "/plan.qrn";
    const std::string old(4000, 'o');
    test::writeBytes(plan, QByteArray::fromStdString(old));
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(folder,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(
        plan, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    // In a child process, as the user nobody when root (who writes anywhere).
    const auto save = [&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        saveNineThousand(files_, plan, CreateMode::Replace);
    };
    EXPECT_TRUE(contains(test::runWithFileSizeLimit(5000, save), kTooBig));
    EXPECT_EQ(readBytes(plan), old);
    EXPECT_EQ(test::runWithFileSizeLimit(RLIM_INFINITY, save), std::nullopt);
    EXPECT_EQ(readBytes(plan), std::string(9000, 'a'));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.qrn"});
}

// A file whose mode denies its owner writing is not replaced unasked, even by root, beside a
// temporary file or in place (a folder that takes no new file); replaced when the caller asks,
// it keeps its mode.
TEST_F(OutputFiles, AReadOnlyFileIsReplacedOnlyWhenAskedAndKeepsItsMode) {
    const bool root = geteuid() == 0;
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
    for (const bool inPlace : {false, true}) {
        const QString folder = dir_.filePath(inPlace ? "locked" : "open");
        ASSERT_TRUE(QDir().mkdir(folder));
        const QString plan = folder + "/plan.qrn";
        test::writeBytes(plan, QByteArray::fromStdString(kOld));
        const QByteArray name = QFile::encodeName(plan);
        // In place, as the file's owner, who is not root (root takes new files anywhere).
        ASSERT_TRUE(!inPlace || !root || ::chown(name.constData(), 65534, 65534) == 0);
        ASSERT_EQ(::chmod(name.constData(), 0444), 0);
        if (inPlace) ::chmod(QFile::encodeName(folder).constData(), 0555);
        const auto save = [&](CreateMode mode) {
            return test::runWithFileSizeLimit(RLIM_INFINITY, [&] {
                if (inPlace && root && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
                saveNineThousand(files_, plan, mode);
            });
        };
        EXPECT_TRUE(contains(save(CreateMode::Replace), u"le fichier est en lecture seule"));
        EXPECT_EQ(readBytes(plan), kOld);
        EXPECT_EQ(save(CreateMode::ReplaceReadOnly), std::nullopt);
        EXPECT_EQ(readBytes(plan), std::string(9000, 'a'));
        struct stat info {};
        ASSERT_EQ(::stat(name.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0444u) << inPlace;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.qrn"});
    }
}

// What a killed save left (a temporary file nobody holds, older than the process saving) goes
// at the next save into its folder. A save under way in another process (its temporary file
// held, or newer than the process saving) and other hidden files are left alone.
TEST_F(OutputFiles, ASaveRemovesTheTemporaryFilesOfKilledSaves) {
    const QString stale = ".plan.qrn.qrnsave-k3x9a1", held = ".plan.qrn.qrnsave-held01",
                  fresh = ".plan.qrn.qrnsave-fresh1", other = ".plan.qrn.swp";
    for (const QString& name : {stale, held, other}) test::writeBytes(dir_.filePath(name), "x");
    const int holder = ::open(QFile::encodeName(dir_.filePath(held)).constData(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    QThread::msleep(50);  // more than a clock tick
    // In a process started later: a live save of its own would be newer than it.
    const auto save = [&] {
        QThread::msleep(50);
        test::writeBytes(dir_.filePath(fresh), "x");
        saveNineThousand(files_, path_, CreateMode::Replace);
    };
    EXPECT_EQ(test::runWithFileSizeLimit(RLIM_INFINITY, save), std::nullopt);
    ::close(holder);
    QStringList left = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, (QStringList{fresh, held, other, kName}));
}

// A small tmpfs of its own (root only), gone with it.
struct SmallDisk {
    QByteArray at;
    bool mounted = false;
    SmallDisk(const QString& path, const char* options) : at(QFile::encodeName(path)) {
        mounted = QDir().mkdir(path) && geteuid() == 0 &&
                  mount("tmpfs", at.constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk() {
        if (mounted) umount(at.constData());
    }
};

// A real full disk: a 64 KiB tmpfs filled by another file.
TEST_F(OutputFiles, AFullDiskFailsTheSaveAndKeepsTheOldBytes) {
    const QString disk = dir_.filePath("disk");
    const SmallDisk small(disk, "size=64k");
    if (!small.mounted) GTEST_SKIP() << "mounting a small tmpfs needs root";
    const QString plan = disk + "/plan.qrn";
    test::writeBytes(plan, QByteArray::fromStdString(kOld));
    QFile filler(disk + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'f')) == 4096) {
    }
    filler.close();
    for (const QString& name : {QString("plan.qrn"), QString("new.qrn")}) {
        const Error error = test::failureOf(
            [&] { saveNineThousand(files_, disk + "/" + name, CreateMode::Replace); });
        EXPECT_NE(error.reason().find(u"(plus de place sur le disque)"), std::u16string::npos);
        EXPECT_EQ(readBytes(plan), kOld);
        EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"filler", "plan.qrn"}));
    }
}

// A disk with room for bytes but none for another file (ENOSPC on creating one): the plan is
// saved in place, a new name fails.
TEST_F(OutputFiles, ADiskWithNoFreeFileSavesAnOldPlanInPlace) {
    const QString disk = dir_.filePath("disk");
    const SmallDisk small(disk, "size=1m,nr_inodes=8");
    if (!small.mounted) GTEST_SKIP() << "mounting a small tmpfs needs root";
    const QString plan = disk + "/plan.qrn";
    test::writeBytes(plan, QByteArray::fromStdString(kOld));
    for (int i = 0; i < 20 && QFile(disk + "/f" + QString::number(i)).open(QIODevice::WriteOnly);
         ++i) {
    }
    saveNineThousand(files_, plan, CreateMode::Replace);
    EXPECT_EQ(readBytes(plan), std::string(9000, 'a'));
    EXPECT_THROW(saveNineThousand(files_, disk + "/new.qrn", CreateMode::Replace), FileError);
}

// A folder, a missing parent or a place nothing can be written: FileError, and nothing made.
// A name in Latin-1 bytes, as the readers open it: replaced or created under its own bytes.
TEST_F(OutputFiles, NamesThatAreNotUtf8AreWrittenUnderTheirBytes) {
    const QByteArray folder = QFile::encodeName(dir_.path());
    QDir(dir_.path()).remove(kName);
    const std::string old = (folder + "/r\xE9sum\xE9.qrn").toStdString();
    const int fd = ::open(old.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    for (const auto& [name, mode] :
         {std::pair{old, CreateMode::Replace}, std::pair{old + ".bak", CreateMode::CreateNew}}) {
        auto out = files_.CreateOutputFile(decodeFileName(name), mode);
        out->Write(u"new");
        out->Commit();
        std::string written(8, '\0');
        const int in = ::open(name.c_str(), O_RDONLY);
        ASSERT_GE(in, 0);
        written.resize(std::size_t(::read(in, written.data(), written.size())));
        ::close(in);
        EXPECT_EQ(written, "new");
        ::unlink(name.c_str());  // QTemporaryDir cannot remove it
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(OutputFiles, OpeningFailsForAFolderOrAMissingParent) {
    for (CreateMode mode : {CreateMode::Replace, CreateMode::CreateNew})
        for (const QString& path : {dir_.path(), dir_.filePath("no/x.txt"), QString("/proc/x.txt")})
            EXPECT_THROW(files_.CreateOutputFile(u16(path), mode), FileError) << path.toStdString();
    const Error missing = test::failureOf(
        [&] { files_.CreateOutputFile(u16(dir_.filePath("no/x.txt")), CreateMode::Replace); });
    EXPECT_EQ(missing.reason(), u"création impossible (fichier ou dossier introuvable)");
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
