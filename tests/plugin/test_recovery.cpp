// Crash recovery with real processes: an editor makes changes, its autosave writes them, the
// process is killed; the next editor offers the plan back and restores it exactly.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(TestRecovery)
#include "test_recovery.moc"
