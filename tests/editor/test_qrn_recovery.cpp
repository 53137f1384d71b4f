// A plan left by a window that died, offered back by the next window: the question, what the
// window skipped, and a real editor process killed after its autosave.

#include <QDir>
#include <QProcess>
#include <QStatusBar>
#include <QTest>

#include "tests/editor/test_qrn_fixture.h"
#include "tests/support/recovery_copies.h"

namespace qrn::test {

class TestQrnRecovery : public QObject {
    Q_OBJECT
private slots:
    // A window asks about an orphan with its rows counted in words that agree, and says in its
    // status line which files it left alone or that it refused the folder.
    void aWindowOffersOrphansAndSaysWhatItSkipped() {
        Editor editor;
        const QString rec = editor.state.recoveryFolder;
        writeOrphan(rec, u"~ONE"_qs);
        QFile::link(rec + u"/~ONE.jsonl"_qs, rec + u"/~TWO.jsonl"_qs);
        QTRY_COMPARE(editor.platform.recorder.questions.size(), 1u);
        const std::u16string& asked = editor.platform.recorder.questions[0];
        QVERIFY(asked.find(u":\np.qrn\n") != std::u16string::npos);
        QVERIFY(asked.find(u", 1 ligne.\n") != std::u16string::npos);
        QCOMPARE(editor.window->statusBar()->currentMessage(),
                 u"1 fichier de récupération ignoré (lien, fichier spécial ou d'un autre "
                 u"utilisateur) : ~TWO.jsonl"_qs);

        Editor linked;  // a folder refused is said there too
        QFile::link(linked.dir.path(), linked.state.recoveryFolder);
        QTRY_VERIFY(linked.window->statusBar()->currentMessage().endsWith(
            u"le dossier de récupération est un lien symbolique"_qs));
    }

    // A plan recovered after a crash keeps the stamp of its file as the copy was made: saving
    // over a newer save of that file asks first.
    void aRecoveredPlanAsksBeforeOverwritingANewerSave() {
        Editor a;
        const QString plan = a.path(u"p.qrn"_qs);
        writeBytes(plan, kHutte);
        a.window->openPath(u16(plan));
        a.click("Command4");
        a.window->autosave().saveNow();
        const QDir rec(a.state.recoveryFolder);
        QTRY_COMPARE(rec.entryList({u"*.jsonl"_qs}).size(), 1);
        const QByteArray copy = readAll(rec.filePath(rec.entryList({u"*.jsonl"_qs}).at(0)));
        writeBytes(plan, kTemple);  // saved by another window since

        Editor b;  // after a crash of a's process, as its copy and dead lock show
        b.platform.recorder.recoveryChoices = {platform::RecoveryChoice::Recover};
        QDir().mkpath(b.state.recoveryFolder);
        writeBytes(b.state.recoveryFolder + u"/~A.jsonl"_qs, copy);
        writeBytes(b.state.recoveryFolder + u"/~A.lock"_qs, deadLock());
        QTRY_COMPARE(b.rows().size(), 2);
        b.trigger("SaveFile");
        QCOMPARE(readAll(plan), kTemple);
        QCOMPARE(b.platform.recorder.questions.size(), 2u);
        QVERIFY(b.platform.recorder.questions.back().starts_with(u"overwrite:"));
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

QTEST_MAIN(qrn::test::TestQrnRecovery)
#include "test_qrn_recovery.moc"
