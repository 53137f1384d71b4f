// Opening, saving and the preview with real files, their failures included. Permission bits
// do not stop root, so failures come from folders in place of files.

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "tests/plugin/test_qrn_fixture.h"

namespace qrn::test {

namespace {

const QByteArray kHutte =
    planLine({u"12"_qs, u"7"_qs, u"0"_qs, u"3"_qs, u"0"_qs, u"3"_qs}, u"Hutte"_qs, u"101"_qs);
const QByteArray kTemple =
    planLine({u"40"_qs, u"25"_qs, u"2"_qs, u"0"_qs, u"1"_qs, u"0"_qs}, u"Temple"_qs, u"105"_qs);

QStringList tempFiles(const Editor& e) {
    return QDir(e.dir.path()).entryList({u"~*.tmp"_qs}, QDir::Files);
}

QString lastMessage(Editor& e) {
    return e.messages().empty() ? QString() : QString::fromStdU16String(e.messages().back());
}

// Opens path in the window through "Ouvrir".
void open(Editor& e, const QString& path) {
    e.answers().push_back(u16(path));
    e.trigger("OpenFile");
}

}  // namespace

class TestQrnFiles : public QObject {
    Q_OBJECT
private slots:
    void saveOpenAndSaveAgain() {
        Editor e;
        e.state.planFolder = u16(e.dir.path());
        e.trigger("SaveFile");  // new window: asks, and cancelling writes nothing
        e.trigger("SaveFile");
        QCOMPARE(e.platform.recorder.dialogs,
                 (std::vector<std::u16string>(2, u"save:" + e.state.planFolder)));
        QVERIFY(e.window->currentFile().empty());

        const QString plan = e.path(u"plan"_qs);  // no extension: used as typed
        writeBytes(plan, kHutte + kTemple + kHutte + kTemple + kHutte);
        open(e, plan);
        QCOMPARE(e.platform.recorder.dialogs.back(), u"open:" + e.state.planFolder);
        QCOMPARE(e.rows(), (QStringList{u"Hutte|12|7|0|3|0|3|1t"_qs, u"Temple|40|25|2|0|1|0|5t"_qs,
                                        u"Hutte|12|7|0|3|0|3|1t"_qs, u"Temple|40|25|2|0|1|0|5t"_qs,
                                        u"Hutte|12|7|0|3|0|3|1t"_qs}));
        for (int i = 0; i < 4; ++i) {
            e.clickRow(1);
            e.click("Command1");
        }
        e.trigger("SaveFile");  // one row over five, without a dialog
        QCOMPARE(e.platform.recorder.dialogs.size(), 3u);
        QCOMPARE(readAll(plan), kHutte);

        e.answers().push_back(u16(e.path(u"empty.qrn"_qs)));
        e.trigger("NewFile");
        e.trigger("SaveFilesAs");
        QCOMPARE(readAll(e.path(u"empty.qrn"_qs)), QByteArray(""));
        open(e, QString());  // cancelled: nothing changes
        QCOMPARE(e.window->currentFile(), u16(e.path(u"empty.qrn"_qs)));
        QVERIFY(e.messages().empty());
    }

    void failedSaveLeavesTheDisk_data() {
        QTest::addColumn<QString>("target");  // relative to the temporary folder
        QTest::addColumn<QString>("cell");    // typed into Text1
        QTest::addColumn<QString>("said");
        QTest::newRow("value too long") << u"plan.qrn"_qs << u"12345678901"_qs << u"ligne 1"_qs;
        QTest::newRow("not Windows-1252") << u"plan.qrn"_qs << u"1Ω"_qs << u"colonne X"_qs;
        QTest::newRow("folder in place") << u"folder"_qs << u"1"_qs << u"folder"_qs;
        QTest::newRow("missing parent") << u"none/plan.qrn"_qs << u"1"_qs << u"none/plan.qrn"_qs;
        QTest::newRow("new name, bad value") << u"new.qrn"_qs << u"12345678901"_qs << u"X"_qs;
    }
    void failedSaveLeavesTheDisk() {
        QFETCH(QString, target);
        QFETCH(QString, cell);
        QFETCH(QString, said);
        Editor e;
        writeBytes(e.path(u"plan.qrn"_qs), kTemple + kHutte);
        QDir(e.dir.path()).mkdir(u"folder"_qs);
        e.type("Text1", cell);
        e.click("Command4");
        e.answers().push_back(u16(e.path(target)));
        e.trigger("SaveFilesAs");
        QCOMPARE(e.messages().size(), 1u);
        QVERIFY2(lastMessage(e).contains(said), qPrintable(lastMessage(e)));
        QCOMPARE(readAll(e.path(u"plan.qrn"_qs)), kTemple + kHutte);
        QVERIFY(QFileInfo(e.path(u"folder"_qs)).isDir());
        QCOMPARE(QDir(e.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 3);
    }

    void failedOpenKeepsTheFileSafe() {
        Editor e;
        const QString good = e.path(u"good.qrn"_qs);
        writeBytes(good, kHutte);
        open(e, good);
        open(e, e.path(u"missing.qrn"_qs));  // not opened: list and CurrentFile as before
        QCOMPARE(e.window->currentFile(), u16(good));
        QCOMPARE(e.rows().size(), 1);
        QVERIFY(lastMessage(e).contains(e.path(u"missing.qrn"_qs)));

        const QString bad = e.path(u"bad.qrn"_qs);
        writeBytes(bad, kTemple + kTemple + "\r\n" + kHutte);
        open(e, bad);  // the rows before the blank line; the next save must ask
        QCOMPARE(e.rows().size(), 2);
        QVERIFY(e.window->currentFile().empty());
        QVERIFY2(lastMessage(e).contains(bad) && lastMessage(e).contains(u"ligne 3"_qs),
                 qPrintable(lastMessage(e)));
        e.trigger("SaveFile");
        QCOMPARE(e.platform.recorder.dialogs.back().substr(0, 5), u"save:");
        QCOMPARE(readAll(bad), kTemple + kTemple + "\r\n" + kHutte);
    }

    void previewRoundTrip() {
        Editor e;
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        e.click("Command6");  // an empty list: empty text, and back to an empty list
        QVERIFY(e.window->textViewShown() && e.get<QTreeView>("ListView1")->isHidden());
        QCOMPARE(text7->toPlainText(), QString());
        e.click("Command6");
        QVERIFY(!e.window->textViewShown() && !e.get<QTreeView>("ListView1")->isHidden());
        QVERIFY(e.window->list().empty());

        writeBytes(e.path(u"p.qrn"_qs), kHutte + kTemple);
        open(e, e.path(u"p.qrn"_qs));
        e.click("Command6");
        QCOMPARE(text7->toPlainText().toLatin1(), QByteArray(kHutte + kTemple).replace("\r", ""));
        // A no-break space is a character of the cell, not a separator, and must come back.
        text7->moveCursor(QTextCursor::End);
        typeInto(text7, QString::fromLatin1(kHutte).replace(u"12"_qs, u"9\u00A09"_qs).trimmed());
        e.click("Command6");
        QCOMPARE(e.rows().size(), 3);
        QCOMPARE(e.rows().at(2), u"Hutte|9\u00A09|7|0|3|0|3|1t"_qs);
        QVERIFY(e.messages().empty());
        QVERIFY(tempFiles(e).isEmpty());
    }

    void previewConversionFailureKeepsTheText() {
        Editor e;
        const QByteArray taken = "left by an earlier failure";
        e.platform.rnd.script.assign(16, 0.5);  // the first name drawn: "~NNNNNNNN.tmp"
        writeBytes(e.path(u"~NNNNNNNN.tmp"_qs), taken);
        e.click("Command4");
        e.click("Command6");
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        text7->setPlainText(QString::fromLatin1(kTemple + "Inconnu 1 2 3 4 5 6 7\r\n" + kHutte));
        e.click("Command6");
        QCOMPARE(readAll(e.path(u"~NNNNNNNN.tmp"_qs)), taken);  // never replaced
        const QStringList left = tempFiles(e);
        QCOMPARE(left.size(), 2);
        const QString name = left.at(left.at(0) == u"~NNNNNNNN.tmp"_qs ? 1 : 0);
        QVERIFY(QRegularExpression(u"^~[0-8A-Z]{8}\\.tmp$"_qs).match(name).hasMatch());
        QCOMPARE(lastMessage(e),
                 u"Une erreur s'est produite lors de la retranscription du fichier!\r\n"
                 u"Il est fort probable que des données aient été perdues.\r\n"
                 u"Toutefois, il vous sera possible de récupérer le contenu texte dans le "
                 u"fichier "_qs +
                     name);
        QCOMPARE(readAll(e.path(name)), kTemple + "Inconnu 1 2 3 4 5 6 7\r\n" + kHutte);
        QCOMPARE(e.rows(), QStringList{u"Temple|40|25|2|0|1|0|5t"_qs});
        QVERIFY(!e.window->textViewShown());
    }

    void previewFailuresLoseNothing_data() {
        QTest::addColumn<QString>("typed");      // appended in Text7
        QTest::addColumn<bool>("folderIsFile");  // the plug-in folder cannot hold files
        QTest::addColumn<bool>("deleteFails");
        QTest::newRow("folder is a file") << QString() << true << false;
        QTest::newRow("not Windows-1252") << u"Ω"_qs << false << false;
        QTest::newRow("cannot delete") << QString() << false << true;
    }
    void previewFailuresLoseNothing() {
        QFETCH(QString, typed);
        QFETCH(bool, folderIsFile);
        QFETCH(bool, deleteFails);
        Editor e;
        e.get<QComboBox>("Combo1")->setCurrentIndex(3);
        e.click("Command4");
        const QStringList rows = e.rows();
        e.click("Command6");
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        text7->moveCursor(QTextCursor::End);
        typeInto(text7, typed);
        const QString text = text7->toPlainText();
        if (folderIsFile) {
            writeBytes(e.path(u"file"_qs), "x");
            e.platform.application.path = u16(e.path(u"file"_qs));
        }
        e.platform.fs.failDelete = deleteFails;
        e.click("Command6");
        QCOMPARE(e.messages().size(), 1u);
        if (deleteFails) {
            const QString left = e.path(tempFiles(e).value(0));
            QVERIFY2(lastMessage(e).contains(left), qPrintable(lastMessage(e)));
            QVERIFY(!e.window->textViewShown());
            QCOMPARE(e.window->list().row(1).index().isText(), true);
        } else {
            QVERIFY(e.window->textViewShown());
            QCOMPARE(text7->toPlainText(), text);
            QVERIFY(tempFiles(e).isEmpty());
        }
        QCOMPARE(rowsOf(e.window->list()).size(), rows.size());
    }

    void previewOfAnUnwritableListStaysInListView() {
        Editor e;
        e.type("Text6", u"12345678901"_qs);
        e.click("Command4");
        e.click("Command6");
        QVERIFY(!e.window->textViewShown());
        QVERIFY2(lastMessage(e).contains(u"colonne O"_qs), qPrintable(lastMessage(e)));
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnFiles)
#include "test_qrn_files.moc"
