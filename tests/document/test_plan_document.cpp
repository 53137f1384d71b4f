// The document behind an editor window, its autosave and the recovery folder; the recovery
// question of a window; a plan recovered after a crash, with editor processes of their own.

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "base/errors.h"
#include "document/autosave.h"
#include "document/plan_document.h"
#include "document/recovery_store.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recovery_copies.h"
#include "tests/support/rows.h"
#include "tests/support/stand_in_platform.h"

namespace qrn::test {

namespace {

QStringList namesOf(const std::vector<std::unique_ptr<RecoveryEntry>>& entries) {
    QStringList names;
    for (const auto& entry : entries) names << QFileInfo(entry->path()).fileName();
    return names;
}

// The user nobody's id, for files of another user; none when not root (who alone gives files
// away).
std::optional<uid_t> otherUser() {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr) return std::nullopt;
    return nobody->pw_uid;
}

}  // namespace

class TestPlanDocument : public QObject {
    Q_OBJECT
private slots:
    void historyAndModifiedMark() {
        PlanDocument doc;
        QSignalSpy modified(&doc, &PlanDocument::modifiedChanged);
        doc.edit(u"Ajouter"_qs, [&] { doc.list().append(row(u"1")); });
        QVERIFY(doc.isModified());
        doc.edit(u"Rien"_qs, [&] { doc.list().select(1); });  // no row changed: no step
        QCOMPARE(doc.undoStack()->count(), 1);
        // A failing action keeps what it did, as one undoable step, and passes the failure on.
        QVERIFY_THROWS_EXCEPTION(IndexError, doc.edit(u"Mal"_qs, [&] {
            doc.list().append(row(u"2"));
            doc.list().remove(9);
        }));
        QCOMPARE(doc.undoStack()->count(), 2);
        doc.undoStack()->undo();
        doc.undoStack()->undo();
        QVERIFY(doc.list().empty() && !doc.isModified());
        QCOMPARE(modified.count(), 2);

        doc.undoStack()->redo();
        doc.markSaved(u"a.qrn");
        QVERIFY(!doc.isModified());
        doc.reset({row(u"9")}, u"b.qrn");
        QVERIFY(!doc.isModified() && doc.undoStack()->count() == 0 && doc.list().count() == 1);
        doc.restore({row(u"8")}, u"c.qrn");  // a recovered plan stays modified until saved
        QVERIFY(doc.isModified());
        QCOMPARE(doc.fileName(), u"c.qrn");
    }

    void autosaveKeepsACopyWhileModified() {
        QTemporaryDir dir;
        TestPlatform platform;
        RecoveryStore store(dir.filePath(u"rec"_qs), platform.rnd, platform.fs);
        PlanDocument doc;
        const auto copies = [&] { return QDir(store.folder()).entryList({u"*.jsonl"_qs}); };
        {
            Autosave autosave(doc, store);
            autosave.setBackground(false);
            autosave.saveNow();  // not modified: nothing to keep
            QVERIFY(copies().isEmpty());
            doc.edit(u"Ajouter"_qs, [&] { doc.list().append(row(u"1")); });
            doc.setFileName(u"p.qrn");
            autosave.saveNow();
            QCOMPARE(copies().size(), 1);
            const RecoveredPlan plan = readRecovery(
                QDir(store.folder()).filePath(copies().at(0)).toStdU16String(), platform.fs);
            QVERIFY(plan.rows.size() == 1 && !plan.text);
            QCOMPARE(plan.file, u"p.qrn");
            QCOMPARE(QFile::permissions(store.folder()) & 0x0FF, QFileDevice::Permissions());

            doc.undoStack()->undo();  // back to the saved state: the copy goes
            QVERIFY(copies().isEmpty());
            doc.undoStack()->redo();
            autosave.saveNow();
            QCOMPARE(copies().size(), 1);
            QVERIFY(store.orphans().empty());  // its window is alive

            // Text typed in the text view: modified while it is pending, kept exactly.
            doc.undoStack()->undo();
            const std::u16string typed = u"\"\\ é\x1F\x7F\xD800Ω\r\nx\n";
            doc.setPendingText(typed);
            QVERIFY(doc.isModified());
            autosave.saveNow();
            const RecoveredPlan withText = readRecovery(
                QDir(store.folder()).filePath(copies().at(0)).toStdU16String(), platform.fs);
            QCOMPARE(withText.text, std::optional(typed));
            QCOMPARE(withText.rows.size(), 0u);
            doc.setPendingText(std::nullopt);
            QVERIFY(!doc.isModified() && copies().isEmpty());
        }
        QVERIFY(copies().isEmpty());  // a normal close removes it
    }

    // A copy swapped for a link between two copies is refused, never followed: the link's target
    // stays as it was, the failure is said once, and editing goes on.
    void aCopySwappedForALinkIsRefusedAndSaidOnce() {
        QTemporaryDir dir;
        TestPlatform platform;
        RecoveryStore store(dir.filePath(u"rec"_qs), platform.rnd, platform.fs);
        PlanDocument doc;
        Autosave autosave(doc, store);
        autosave.setBackground(false);
        QSignalSpy failed(&autosave, &Autosave::failed);
        const QString target = dir.filePath(u"target"_qs);
        writeBytes(target, "kept");
        const auto add = [&](const char16_t* x) {
            doc.edit(u"Ajouter"_qs, [&] { doc.list().append(row(x)); });
            autosave.saveNow();
        };
        add(u"1");
        const QString copy =
            QDir(store.folder()).filePath(QDir(store.folder()).entryList({u"*.jsonl"_qs}).at(0));
        QVERIFY(QFile::remove(copy) && QFile::link(target, copy));
        add(u"2");
        add(u"3");
        QCOMPARE(failed.count(), 1);
        QVERIFY2(failed.at(0).at(0).toString().contains(u"lien symbolique"_qs),
                 qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(readAll(target), QByteArray("kept"));
        QVERIFY(QFileInfo(copy).isSymLink());
        QVERIFY(QFile::remove(copy));
        autosave.saveNow();
        QCOMPARE(readRecovery(copy.toStdU16String(), platform.fs).rows.size(), 3u);
    }

    // The copy is written once the editing pauses, not on a tick counted from the first change.
    void theCopyWaitsForAPauseInTheEditing() {
        QTemporaryDir dir;
        TestPlatform platform;
        RecoveryStore store(dir.filePath(u"rec"_qs), platform.rnd, platform.fs);
        PlanDocument doc;
        Autosave autosave(doc, store);
        autosave.setBackground(false);
        autosave.setInterval(500);
        QSignalSpy saved(&autosave, &Autosave::saved);
        for (int i = 0; i < 9; ++i) {
            doc.edit(u"Ajouter"_qs, [&] { doc.list().append(row(u"1")); });
            QTest::qWait(100);
        }
        QCOMPARE(saved.count(), 0);
        QTRY_COMPARE(saved.count(), 1);
    }

    void orphansAreCopiesWhoseProcessIsGone() {
        QTemporaryDir dir;
        TestPlatform platform;
        RecoveryStore store(dir.filePath(u"rec"_qs), platform.rnd, platform.fs);
        const auto entry = store.create();
        const auto other = store.create();
        QVERIFY(entry->path() != other->path());
        writeRecovery(entry->path().toStdU16String(), u"x.qrn", {row(u"1")}, platform.fs);
        QVERIFY(store.orphans().empty());
        writeBytes(dir.filePath(u"rec/~DEAD.lock"_qs), deadLock());
        writeBytes(dir.filePath(u"rec/~DEAD.jsonl"_qs), "{\"file\": \"\"}\r\n");
        writeBytes(dir.filePath(u"rec/~GONE.lock"_qs), deadLock());  // no copy, process gone
        const auto orphans = store.orphans();
        QCOMPARE(orphans.size(), 1u);
        QVERIFY(orphans.front()->path().endsWith(u"~DEAD.jsonl"_qs));
        QVERIFY(orphans.front()->read().rows.empty());
        // The live window without a copy keeps its lock; the dead one's is gone.
        QCOMPARE(QDir(dir.filePath(u"rec"_qs)).entryList({u"*.lock"_qs}, QDir::Files).size(), 3);
        QVERIFY(!QFile::exists(dir.filePath(u"rec/~GONE.lock"_qs)));

        const QDateTime at(QDate(2026, 3, 9), QTime(14, 5));
        QCOMPARE(recoveryQuestion({u"/plans/a.qrn", std::nullopt, {row(u"1"), row(u"2")}}, at),
                 u"Un plan non enregistré a été retrouvé après un arrêt inattendu :\n"
                 u"/plans/a.qrn\nCopie du 09/03/2026 à 14:05, 2 lignes.\nRécupérer le rétablit "
                 u"dans cette fenêtre ; Ignorer le garde pour plus tard ; Supprimer l'efface.");
        QVERIFY(orphans.front()->savedAt().isValid());
    }

    // What is found in the folder and is not a regular file of this user's is left alone: never
    // offered (so never read, followed or later written through), and named for the status
    // line. The good orphan beside it is still offered.
    void copiesThatAreNotOwnFilesAreSkipped_data() {
        QTest::addColumn<QStringList>("planted");
        QTest::addColumn<QString>("status");
        const QString one =
            u"1 fichier de récupération ignoré (lien, fichier spécial ou d'un "
            u"autre utilisateur) : "_qs;
        QTest::newRow("copy linked elsewhere")
            << QStringList{u"~LINK"_qs} << one + u"~LINK.jsonl"_qs;
        QTest::newRow("copy linked to a FIFO")
            << QStringList{u"~FIFO"_qs} << one + u"~FIFO.jsonl"_qs;
        QTest::newRow("lock linked elsewhere")
            << QStringList{u"~LOCK"_qs} << one + u"~LOCK.lock"_qs;
        QTest::newRow("copy of another user")
            << QStringList{u"~USER"_qs} << one + u"~USER.jsonl"_qs;
        QTest::newRow("two") << QStringList{u"~LINK"_qs, u"~FIFO"_qs}
                             << u"2 fichiers de récupération ignorés (liens, fichiers spéciaux ou "
                                u"d'un autre utilisateur) : ~FIFO.jsonl, ~LINK.jsonl"_qs;
    }
    void copiesThatAreNotOwnFilesAreSkipped() {
        QFETCH(const QStringList, planted);
        QFETCH(const QString, status);
        QTemporaryDir dir;
        const QString rec = dir.filePath(u"rec"_qs), away = dir.filePath(u"away"_qs);
        writeOrphan(rec, u"~GOOD"_qs);
        writeOrphan(away, u"copy"_qs);  // what the links reach
        QVERIFY(::mkfifo(QFile::encodeName(away + u"/fifo"_qs).constData(), 0600) == 0);
        for (const QString& name : planted) {
            const QString copy = rec + u'/' + name + u".jsonl"_qs;
            if (name == u"~LINK") {
                QFile::link(away + u"/copy.jsonl"_qs, copy);
            } else if (name == u"~FIFO") {
                QFile::link(away + u"/fifo"_qs, copy);
            } else if (name == u"~LOCK") {
                writeOrphan(rec, name, false);
                QFile::link(away + u"/copy.lock"_qs, rec + u'/' + name + u".lock"_qs);
            } else if (!otherUser()) {
                QSKIP("only root gives a file to another user");
            } else {
                writeOrphan(rec, name);
                QVERIFY(::chown(QFile::encodeName(copy).constData(), *otherUser(), -1) == 0);
            }
        }
        TestPlatform platform;
        RecoveryStore store(rec, platform.rnd, platform.fs);
        QCOMPARE(namesOf(store.orphans()), QStringList{u"~GOOD.jsonl"_qs});
        QCOMPARE(store.skippedText(), status);
        QCOMPARE(QDir(away).entryList(QDir::Files | QDir::System),
                 (QStringList{u"copy.jsonl"_qs, u"copy.lock"_qs, u"fifo"_qs}));
        QCOMPARE(readAll(away + u"/copy.lock"_qs), deadLock());
    }

    // A folder that is a link or someone else's is refused, and its mode (or its target's) is
    // not touched.
    void aFolderNotOfThisUserIsRefused_data() {
        QTest::addColumn<QString>("linked");  // the folder, the one above it or none
        QTest::addColumn<QString>("reason");
        QTest::newRow("link") << u"rec"_qs
                              << u"le dossier de récupération est un lien symbolique"_qs;
        QTest::newRow("link above")
            << u"data"_qs
            << u"le dossier au-dessus du dossier de récupération est un lien symbolique"_qs;
        QTest::newRow("another user's")
            << QString() << u"le dossier de récupération appartient à un autre utilisateur"_qs;
    }
    void aFolderNotOfThisUserIsRefused() {
        QFETCH(const QString, linked);
        QFETCH(const QString, reason);
        QTemporaryDir dir;
        const QString rec = dir.filePath(u"data/rec"_qs), away = dir.filePath(u"away"_qs);
        const QString folder = linked == u"rec"_qs    ? away
                               : linked == u"data"_qs ? away + u"/rec"_qs
                                                      : rec;
        writeOrphan(folder, u"~OLD"_qs);
        QVERIFY(::chmod(QFile::encodeName(folder), 0755) == 0);
        if (linked == u"rec"_qs) {
            QDir().mkpath(dir.filePath(u"data"_qs));
            QFile::link(away, rec);
        } else if (linked == u"data"_qs) {
            QFile::link(away, dir.filePath(u"data"_qs));
        } else if (!otherUser()) {
            QSKIP("only root gives a folder to another user");
        } else {
            QVERIFY(::chown(QFile::encodeName(rec), *otherUser(), -1) == 0);
        }
        TestPlatform platform;
        RecoveryStore store(rec, platform.rnd, platform.fs);
        for (const auto& attempt : std::initializer_list<std::function<void()>>{
                 [&] { store.create(); }, [&] { store.orphans(); }}) {
            try {
                attempt();
                QFAIL("no error");
            } catch (const FileError& e) {
                QCOMPARE(e.file, rec.toStdU16String());
                QCOMPARE(QString::fromStdU16String(e.reason()), reason);
            }
        }
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(folder).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, 0755u);
    }

    // A lock that names no owner (left empty or cut short by a power loss) is stale, unless a
    // live lock file holds it.
    void aLockWithoutOwnerIsStaleUnlessHeld_data() {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<bool>("held");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("garbled") << QByteArray("\x01zz\n\n") << false;
        QTest::newRow("garbled, held") << QByteArray("\x01zz\n") << true;
    }
    void aLockWithoutOwnerIsStaleUnlessHeld() {
        QFETCH(const QByteArray, lock);
        QFETCH(const bool, held);
        QTemporaryDir dir;
        const QString rec = dir.filePath(u"rec"_qs), lockFile = rec + u"/~L.lock"_qs;
        writeOrphan(rec, u"~L"_qs, false);
        writeBytes(lockFile, lock);
        const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0 && (!held || ::flock(fd, LOCK_EX | LOCK_NB) == 0));
        TestPlatform platform;
        RecoveryStore store(rec, platform.rnd, platform.fs);
        QCOMPARE(namesOf(store.orphans()), held ? QStringList() : QStringList{u"~L.jsonl"_qs});
        if (held) QCOMPARE(readAll(lockFile), lock);
        ::close(fd);
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestPlanDocument)
#include "test_plan_document.moc"
