#include <gtest/gtest.h>
#include <windows.h>
#undef DeleteFile  // the service of that name, not the system's macro

#include <QDir>
#include <QTemporaryDir>

#include "base/errors.h"
#include "platform/qt/qt_file_system.h"
#include "tests/support/failure.h"
#include "tests/support/qt_files.h"

// The file services through the Windows API: names in any language, paths past 260
// characters, saving over a read-only file or a file another program holds, devices.
namespace qrn::platform {
namespace {

using test::u16;

class WindowsFiles : public ::testing::Test {
protected:
    std::u16string path(const QString& name) const {
        return u16(QDir::toNativeSeparators(dir_.filePath(name)));
    }
    std::wstring wide(const QString& name) const {
        const std::u16string p = path(name);
        return std::wstring(p.begin(), p.end());
    }
    void save(const std::u16string& file, std::u16string_view text) {
        auto out = files_.CreateOutputFile(file, CreateMode::Replace);
        out->Write(text);
        out->Commit();
    }
    std::u16string readLine(const std::u16string& file) {
        return files_.OpenTextFile(file)->ReadLine();
    }
    // The names in the folder: no temporary file is ever left behind.
    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir_;
    QtFileSystem files_;
};

TEST_F(WindowsFiles, NamesInAnyLanguageAndLongPathsAreWrittenReadAndRemoved) {
    // Over 260 characters in all, in folders of more than 200: only the \\?\ prefix reaches it.
    const QString deep = QString(200, u'd') + "/" + QString(120, u'é');
    ASSERT_TRUE(CreateDirectoryW((LR"(\\?\)" + wide(QString(200, u'd'))).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((LR"(\\?\)" + wide(deep)).c_str(), nullptr));
    for (const QString& name : {QString("plan été ✓ 東京.qrn"), deep + "/plan.qrn"}) {
        SCOPED_TRACE(name.toStdString());
        const std::u16string file = path(name);
        EXPECT_FALSE(files_.FileExists(file));
        save(file, u"Maison      é");
        save(file, u"Marché      €");  // replacing it, too
        EXPECT_TRUE(files_.FileExists(file));
        EXPECT_EQ(readLine(file), u"Marché      €");
        EXPECT_EQ(
            test::failureOf([&] { files_.CreateOutputFile(file, CreateMode::CreateNew); }).reason(),
            u"ce nom est déjà pris");
        files_.DeleteFile(file);
        EXPECT_FALSE(files_.FileExists(file));
    }
    EXPECT_TRUE(files_.FolderExists(path(deep)));
}

TEST_F(WindowsFiles, ASaveThatCannotReplaceTheFileSaysWhyAndKeepsItsBytes) {
    const std::u16string readOnly = path("lecture seule.qrn"), held = path("ouvert.qrn");
    test::writeBytes(dir_.filePath("lecture seule.qrn"), "avant\r\n");
    test::writeBytes(dir_.filePath("ouvert.qrn"), "avant\r\n");
    ASSERT_TRUE(SetFileAttributesW(wide("lecture seule.qrn").c_str(), FILE_ATTRIBUTE_READONLY));
    // Another program holds the file open and shares it with no one.
    HANDLE other = CreateFileW(wide("ouvert.qrn").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    for (const auto& [file, reason] :
         {std::pair{readOnly, u"le fichier est en lecture seule"},
          std::pair{held,
                    u"enregistrement impossible (le fichier est utilisé par un autre "
                    u"programme)"}}) {
        const Error error = test::failureOf([&] { save(file, u"après"); });
        EXPECT_EQ(error.file, file);
        EXPECT_EQ(error.reason(), reason);
    }
    CloseHandle(other);
    EXPECT_EQ(test::readAll(dir_.filePath("ouvert.qrn")), "avant\r\n");
    EXPECT_EQ(test::readAll(dir_.filePath("lecture seule.qrn")), "avant\r\n");
    EXPECT_EQ(entries(), (QStringList{"lecture seule.qrn", "ouvert.qrn"}));
    // Replaced when the user says so, the file stays read-only.
    auto out = files_.CreateOutputFile(readOnly, CreateMode::ReplaceReadOnly);
    out->Write(u"après");
    out->Commit();
    EXPECT_EQ(test::readAll(dir_.filePath("lecture seule.qrn")), "apr\xe8s");
    EXPECT_TRUE(GetFileAttributesW(wide("lecture seule.qrn").c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(wide("lecture seule.qrn").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsFiles, OpeningFailsForWhatIsNoFileToRead) {
    QDir(dir_.path()).mkdir("dossier");
    for (const auto& [file, reason] :
         {std::pair{path("absent.qrn"), u"fichier introuvable"},
          std::pair{path("dossier"), u"c'est un dossier"},
          std::pair{std::u16string(u"\\\\.\\NUL"), u"ce n'est pas un fichier ordinaire"}}) {
        const Error error = test::failureOf([&] { files_.OpenTextFile(file); });
        EXPECT_EQ(error.file, file);
        EXPECT_EQ(error.reason(), reason);
    }
    EXPECT_EQ(test::failureOf([&] { files_.DeleteFile(path("absent.qrn")); }).reason(),
              u"fichier introuvable");
    EXPECT_EQ(entries(), QStringList{"dossier"});
}

}  // namespace
}  // namespace qrn::platform
