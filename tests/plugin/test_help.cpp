// How the help is shown: the compiled help file when a viewer is installed, else its topic's
// HTML page, else a message naming both places looked at.

#include <QtTest>

#include "platform/widgets/help_opener.h"

using qrn::platform::HelpPlan;

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    // The files there, the viewer found, and the plan made.
    void plan() {
        using K = HelpPlan::Kind;
        const QString xchm = QStringLiteral("/usr/bin/xchm");
        const std::tuple<bool, bool, QString, K> cases[] = {{true, true, xchm, K::Viewer},
                                                            {true, true, QString(), K::Page},
                                                            {false, true, xchm, K::Page},
                                                            {false, false, xchm, K::Missing}};
        for (const auto& [chm, page, viewer, kind] : cases) check(chm, page, viewer, kind);
    }

    // The viewers are looked for on the PATH, kchmviewer before xchm.
    void viewerOnThePath() {
        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        QVERIFY(qrn::platform::findHelpViewer().isEmpty());
        for (const char* name : {"xchm", "kchmviewer"}) {
            QFile viewer(bin.filePath(name));
            QVERIFY(viewer.open(QIODevice::WriteOnly));
            viewer.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
            QCOMPARE(qrn::platform::findHelpViewer(), viewer.fileName());
        }
        qputenv("PATH", path);
    }

private:
    static void check(bool chm, bool page, const QString& viewer, HelpPlan::Kind kind) {
        QTemporaryDir folder;
        const QString helpFile = folder.filePath("Help/Help.chm");
        const QString topic = folder.filePath("Help/QRN1.htm");
        QDir().mkpath(folder.filePath("Help"));
        for (const auto& [wanted, path] : {std::pair{chm, helpFile}, std::pair{page, topic}}) {
            QFile file(path);
            if (wanted) QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const HelpPlan plan = qrn::platform::planHelp(helpFile, "QRN1.htm", [&] { return viewer; });
        QCOMPARE(int(plan.kind), int(kind));
        switch (plan.kind) {
            case HelpPlan::Kind::Viewer:
                QCOMPARE(plan.program, viewer);
                QCOMPARE(plan.arguments, QStringList{helpFile});
                break;
            case HelpPlan::Kind::Page:
                QCOMPARE(plan.page, topic);
                break;
            case HelpPlan::Kind::Missing:
                QVERIFY(plan.message.contains(helpFile) && plan.message.contains(topic));
                break;
        }
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "test_help.moc"
