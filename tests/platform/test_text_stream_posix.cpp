#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>

#include "base/errors.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/qt_text_stream.h"
#include "tests/support/failure.h"
#include "tests/support/qt_files.h"

// Opening text files on a POSIX system: missing files, folders, FIFOs, devices, sizes.
namespace qrn::platform {
namespace {

using test::u16;

TEST(TextStreamOpen, FailsWithAClearReasonAndCreatesNothing) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder");
    QtFileSystem files;
    for (const auto& [name, reason] : {std::pair{"missing.txt", "fichier introuvable"},
                                       std::pair{"folder", "c'est un dossier"}}) {
        const std::u16string path = u16(dir.filePath(name));
        const Error error = test::failureOf([&] { files.OpenTextFile(path); });
        EXPECT_EQ(error.kind(), Error::Kind::File);
        EXPECT_EQ(error.file, path);
        EXPECT_NE(error.reason().find(QString(reason).toStdU16String()), std::u16string::npos);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"folder"});
    // A file that opens but cannot be read fails at its first line.
    const Error error = test::failureOf([&] {
        auto stream = files.OpenTextFile(u"/proc/self/mem");
        while (!stream->AtEndOfStream()) stream->ReadLine();
    });
    EXPECT_EQ(error.line, 1);
}

// What is not a regular file of a readable size is refused at once, before a byte is read: a
// FIFO would hold the thread until a writer comes, a device may never end.
TEST(TextStreamOpen, RefusesAtOnceWhatIsNoRegularFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile::link(fifo, dir.filePath("link to fifo"));
    QFile big(dir.filePath("big"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(QtTextStream::kLargestFile + 1));
    QFile largest(dir.filePath("largest"));
    ASSERT_TRUE(largest.open(QIODevice::WriteOnly) && largest.resize(QtTextStream::kLargestFile));
    const std::u16string notRegular = u"ce n'est pas un fichier ordinaire";
    QtFileSystem files;
    for (const auto& [path, reason] :
         {std::pair{fifo, notRegular}, std::pair{dir.filePath("link to fifo"), notRegular},
          std::pair{QString("/dev/zero"), notRegular},
          std::pair{big.fileName(), std::u16string(u"fichier trop grand (plus de 1 Gio)")}}) {
        auto opening = std::async(std::launch::async, [&, path = u16(path)] {
            return test::failureOf([&] { files.OpenTextFile(path); });
        });
        if (opening.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
            ADD_FAILURE() << "the open of " << path.toStdString() << " waits";
            ::close(::open(QFile::encodeName(fifo).constData(), O_RDWR));  // lets it go
        }
        const Error error = opening.get();
        EXPECT_EQ(error.file, u16(path));
        EXPECT_EQ(error.reason(), reason);
    }
    auto stream = files.OpenTextFile(u16(largest.fileName()));  // the largest taken
    EXPECT_FALSE(stream->AtEndOfStream());
}

}  // namespace
}  // namespace qrn::platform
