// How the help is shown: the compiled help file when a viewer is installed, else its topic's
// HTML page, else a message naming both places looked at.

#include <QtTest>

#include "platform/widgets/help_opener.h"

using qrn::platform::HelpPlan;

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void plan_data() {
        QTest::addColumn<bool>("chm");
        QTest::addColumn<bool>("page");
        QTest::addColumn<QString>("viewer");
        QTest::addColumn<int>("kind");
        QTest::newRow("chm and viewer")
            << true << true << "/usr/bin/xchm" << int(HelpPlan::Kind::Viewer);
        QTest::newRow("chm, no viewer") << true << true << "" << int(HelpPlan::Kind::Page);
        QTest::newRow("viewer, no chm")
            << false << true << "/usr/bin/xchm" << int(HelpPlan::Kind::Page);
        QTest::newRow("nothing") << false << false << "/usr/bin/xchm"
                                 << int(HelpPlan::Kind::Missing);
    }
    void plan() {
        QFETCH(bool, chm);
        QFETCH(bool, page);
        QFETCH(QString, viewer);
        QFETCH(int, kind);
        QTemporaryDir folder;
        const QString helpFile = folder.filePath("Help/Help.chm");
        const QString topic = folder.filePath("Help/QRN1.htm");
        QDir().mkpath(folder.filePath("Help"));
        for (const auto& [wanted, path] : {std::pair{chm, helpFile}, std::pair{page, topic}}) {
            QFile file(path);
            if (wanted) QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const HelpPlan plan = qrn::platform::planHelp(helpFile, "QRN1.htm", [&] { return viewer; });
        QCOMPARE(int(plan.kind), kind);
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
