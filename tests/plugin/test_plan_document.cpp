// The document behind an editor window, its autosave and the recovery folder, without widgets;
// a plan recovered after a crash, with editor processes of their own.

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "base/errors.h"
#include "plugin/autosave.h"
#include "plugin/plan_document.h"
#include "plugin/recovery_store.h"
#include "tests/plugin/test_qrn_platform.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/rows.h"

namespace qrn::test {

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
        RecoveryStore store(dir.filePath(u"rec"_qs), platform.rnd);
        PlanDocument doc;
        const auto copies = [&] { return QDir(store.folder()).entryList({u"*.jsonl"_qs}); };
        {
            Autosave autosave(doc, store, platform.fs);
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

    // A copy that cannot be written is said once; the rows stay and editing goes on.
    void aFailedCopyIsSaidOnce() {
        QTemporaryDir dir;
        TestPlatform platform;
        MemoryFileSystem memory;
        RecoveryStore store(dir.filePath(u"rec"_qs), platform.rnd);
        PlanDocument doc;
        Autosave autosave(doc, store, memory);
        autosave.setBackground(false);
        QSignalSpy failed(&autosave, &Autosave::failed);
        for (const char16_t* x : {u"1", u"2"}) {
            doc.edit(u"Ajouter"_qs, [&] { doc.list().append(row(x)); });
            memory.failAt(2);  // the first write
            autosave.saveNow();
        }
        QCOMPARE(failed.count(), 1);
        QCOMPARE(doc.list().count(), 2);
        QVERIFY(memory.files.empty());
        memory.failAt(0);
        autosave.saveNow();
        QCOMPARE(memory.files.size(), 1u);
    }

    void orphansAreCopiesWhoseProcessIsGone() {
        QTemporaryDir dir;
        TestPlatform platform;
        RecoveryStore store(dir.filePath(u"rec"_qs), platform.rnd);
        const auto entry = store.create();
        const auto other = store.create();
        QVERIFY(entry->path() != other->path());
        writeRecovery(entry->path().toStdU16String(), u"x.qrn", {row(u"1")}, platform.fs);
        QVERIFY(store.orphans().empty());
        // A lock left by a process that no longer runs.
        writeBytes(dir.filePath(u"rec/~DEAD.lock"_qs),
                   "999999\nqrnhost\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        writeBytes(dir.filePath(u"rec/~DEAD.jsonl"_qs), "{\"file\": \"\"}\r\n");
        const auto orphans = store.orphans();
        QCOMPARE(orphans.size(), 1u);
        QVERIFY(orphans.front()->path().endsWith(u"~DEAD.jsonl"_qs));
        QVERIFY(orphans.front()->read(platform.fs).rows.empty());
    }

    // With real processes: an editor makes changes, its autosave writes them, the process is
    // killed; the next editor offers the plan back and restores it exactly.
    void aKilledEditorsPlanComesBack() {
        QTemporaryDir dir;
        QProcess editor;
        editor.start(QStringLiteral(QRN_CRASH_EDITOR), {QStringLiteral("edit"), dir.path()});
        QVERIFY(editor.waitForStarted());
        QVERIFY(editor.waitForReadyRead(20000));
        QCOMPARE(editor.readAllStandardOutput().trimmed(), QByteArray("saved"));
        editor.kill();  // SIGKILL: no destructor, no clean-up
        QVERIFY(editor.waitForFinished());

        QProcess next;
        next.start(QStringLiteral(QRN_CRASH_EDITOR), {QStringLiteral("recover"), dir.path()});
        QVERIFY(next.waitForFinished(20000));
        QCOMPARE(next.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(next.readAllStandardOutput()),
                 QStringLiteral("(aucun)|1|0|0|0|0|0|0n\n(aucun)|22|0|0|0|0|0|0n\n"
                                "(aucun)|x\u00A0y|0|0|0|0|0|0n\nmodified=1 file=plan.qrn\n"));
        // Recovered, the plan's copy belongs to the window that took it; when that window
        // closed without saving (the test program exits), the copy stays for the next start.
    }
};

}  // namespace qrn::test

QTEST_GUILESS_MAIN(qrn::test::TestPlanDocument)
#include "test_plan_document.moc"
