// Opening, saving and the preview with real files, their failures included. Permission bits
// do not stop root, so failures come from folders in place of files.

#include <sys/stat.h>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdio>
#include <fstream>

#include "document/autosave.h"
#include "planfile/recovery_file.h"

#include "base/text.h"
#include "tests/editor/test_qrn_fixture.h"
#include "tests/support/watchdog.h"

namespace qrn::test {

namespace {

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
        QCOMPARE(e.platform.recorder.dialogs, std::vector{u"save:" + e.state.planFolder});
        QVERIFY(e.window->currentFile().empty());

        const QString plan = e.path(u"plan"_qs);  // no extension: used as typed
        writeBytes(plan, kTemple + kHutte);
        open(e, plan);
        QCOMPARE(e.platform.recorder.dialogs.back(), u"open:" + e.state.planFolder);
        QCOMPARE(e.rows(),
                 (QStringList{u"Temple|40|25|2|0|1|0|5t"_qs, u"Hutte|12|7|0|3|0|3|1t"_qs}));
        e.clickRow(1);
        e.click("Command1");
        e.trigger("SaveFile");  // one row over two, without a dialog
        QCOMPARE(e.platform.recorder.dialogs.size(), 2u);
        QCOMPARE(readAll(plan), kHutte);

        e.answers().push_back(u16(e.path(u"empty.qrn"_qs)));
        e.trigger("NewFile");
        e.trigger("SaveFilesAs");
        QCOMPARE(readAll(e.path(u"empty.qrn"_qs)), QByteArray(""));
        open(e, QString());  // cancelled: nothing changes
        QCOMPARE(e.window->currentFile(), u16(e.path(u"empty.qrn"_qs)));
        QVERIFY(e.messages().empty());

        // A failed opening keeps the file safe: not opened, the list and CurrentFile as before;
        // read up to a bad line, the rows before it, and the next save must ask.
        open(e, plan);
        open(e, e.path(u"missing.qrn"_qs));
        QCOMPARE(e.window->currentFile(), u16(plan));
        QCOMPARE(e.rows().size(), 1);
        QVERIFY(lastMessage(e).contains(e.path(u"missing.qrn"_qs)));
        const QString bad = e.path(u"bad.qrn"_qs);
        writeBytes(bad, kTemple + kTemple + "\r\n" + kHutte);
        open(e, bad);
        QCOMPARE(e.rows().size(), 2);
        QVERIFY(e.window->currentFile().empty());
        QVERIFY2(lastMessage(e).contains(bad) && lastMessage(e).contains(u"ligne 3"_qs),
                 qPrintable(lastMessage(e)));
        e.trigger("SaveFile");
        QCOMPARE(e.platform.recorder.dialogs.back().substr(0, 5), u"save:");
        QCOMPARE(readAll(bad), kTemple + kTemple + "\r\n" + kHutte);
    }

    // The save's refusals are the plan file code's; the window tells, and nothing is left behind.
    void failedSaveLeavesTheDisk() {
        Editor e;
        QDir(e.dir.path()).mkdir(u"folder"_qs);
        e.click("Command4");
        e.answers().push_back(u16(e.path(u"folder"_qs)));
        e.trigger("SaveFilesAs");
        QCOMPARE(e.messages().size(), 1u);
        QVERIFY2(lastMessage(e).contains(e.path(u"folder"_qs)), qPrintable(lastMessage(e)));
        QVERIFY(QFileInfo(e.path(u"folder"_qs)).isDir());
        QCOMPARE(QDir(e.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
        // Nothing written, nothing named: the title and the next "Enregistrer" as before.
        e.answers().push_back(u16(e.path(u"missing/p.qrn"_qs)));
        e.trigger("SaveFile");
        QCOMPARE(e.platform.recorder.dialogs.size(), 2u);
        QCOMPARE(e.messages().size(), 2u);
        QVERIFY(e.window->currentFile().empty());
        QCOMPARE(e.window->windowTitle(), u"QRN[*]"_qs);
    }

    // A plan saved by another window since this one opened it is not overwritten unasked; a
    // file deleted since is simply written.
    void anotherSaveIsNotOverwrittenSilently() {
        using platform::OverwriteChoice;
        Editor a, b;
        const QString plan = a.path(u"p.qrn"_qs);
        writeBytes(plan, kHutte);
        open(a, plan);
        open(b, plan);
        a.click("Command4");
        a.trigger("SaveFile");
        const QByteArray saved = readAll(plan);
        b.type("Text1", u"5"_qs);
        b.click("Command4");
        b.platform.recorder.overwriteChoices = {OverwriteChoice::Cancel,
                                                OverwriteChoice::Overwrite};
        b.trigger("SaveFile");
        QCOMPARE(readAll(plan), saved);
        QVERIFY(b.window->isWindowModified());
        b.trigger("SaveFile");
        const QByteArray overwritten = readAll(plan);
        QVERIFY(overwritten != saved && !b.window->isWindowModified());
        QCOMPARE(b.platform.recorder.questions,
                 std::vector<std::u16string>(
                     2,
                     u"overwrite:Le fichier a été modifié par un autre programme depuis son "
                     u"ouverture : l'écraser, enregistrer sous un autre nom, annuler ?\r\n" +
                         u16(plan)));

        a.platform.recorder.overwriteChoices = {OverwriteChoice::SaveAs};
        a.answers().push_back(u16(a.path(u"other.qrn"_qs)));
        a.click("Command4");
        a.trigger("SaveFile");
        QCOMPARE(readAll(plan), overwritten);
        QCOMPARE(readAll(a.path(u"other.qrn"_qs)).size(), 3 * kHutte.size());
        QCOMPARE(a.window->currentFile(), u16(a.path(u"other.qrn"_qs)));

        QFile::remove(plan);
        b.click("Command4");
        b.trigger("SaveFile");
        QCOMPARE(readAll(plan).size(), 3 * kHutte.size());
        QCOMPARE(b.platform.recorder.questions.size(), 2u);
    }

    // A row that would not read back is marked, and no save writes it without the user's word.
    // A value the game would misread is marked otherwise, saved without a question, and counted
    // in the status line after the save.
    void rowThatWouldNotReadBackIsSavedOnlyWhenConfirmed() {
        using platform::WriteAnywayChoice;
        Editor e;
        const QString plan = e.path(u"p.qrn"_qs);
        writeBytes(plan, kHutte);
        open(e, plan);
        e.type("Text1", u"1234567890"_qs);
        e.click("Command4");
        e.type("Text1", u"1O"_qs);
        e.type("Text3", u"-3"_qs);
        e.click("Command4");
        const QAbstractItemModel* model = e.get<QTreeView>("ListView1")->model();
        const auto mark = [model](int row, int column) {
            return model->index(row, column).data(Qt::BackgroundRole);
        };
        QVERIFY(mark(1, 3).isValid());
        QVERIFY(model->index(1, 3).data(Qt::ToolTipRole).toString().contains(u"colonne X"_qs));
        QVERIFY(!mark(0, 3).isValid());
        QCOMPARE(
            model->index(2, 1).data(Qt::ToolTipRole).toString(),
            u"Le jeu ne lira pas la valeur comme voulu : « 1O » n'est pas un nombre entier"_qs);
        QVERIFY(model->index(2, 3).data(Qt::ToolTipRole).toString().endsWith(u"est négatif"_qs));
        QVERIFY(mark(2, 1).isValid() && mark(2, 1) == mark(2, 3) && mark(2, 1) != mark(1, 3));
        QVERIFY(!mark(2, 2).isValid());

        auto& ui = e.platform.recorder;
        ui.writeAnywayChoices = {WriteAnywayChoice::Cancel, WriteAnywayChoice::Cancel,
                                 WriteAnywayChoice::Write};
        e.trigger("SaveFile");
        e.answers().push_back(u16(e.path(u"other.qrn"_qs)));
        e.trigger("SaveFilesAs");
        QCOMPARE(readAll(plan), kHutte);
        QVERIFY(!QFileInfo::exists(e.path(u"other.qrn"_qs)));
        QVERIFY(e.window->isWindowModified());
        QCOMPARE(ui.questions.size(), 2u);
        QVERIFY2(QString::fromStdU16String(ui.questions[0])
                     .startsWith(u"write anyway:La ligne 2 du plan ne serait pas relue"_qs),
                 qPrintable(QString::fromStdU16String(ui.questions[0])));
        e.trigger("SaveFile");
        QCOMPARE(readAll(plan).size(), 3 * kHutte.size());
        QVERIFY(!e.window->isWindowModified());
        QCOMPARE(e.window->statusBar()->currentMessage(),
                 u"Plan enregistré : p.qrn (3 lignes). 2 lignes marquées : le jeu ne lira pas une "
                 u"de leurs valeurs comme voulu."_qs);
    }

    // A read-only plan (by its mode: root too) is not replaced unasked. "Annuler" leaves its bytes
    // and the `*`, "Enregistrer sous..." asks for a name, "Écraser quand même" writes it.
    void aReadOnlyPlanIsOverwrittenOnlyWhenAsked() {
        using platform::OverwriteChoice;
        Editor e;
        const QString plan = e.path(u"ro.qrn"_qs);
        writeBytes(plan, kHutte);
        QVERIFY(
            QFile::setPermissions(plan, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        open(e, plan);
        e.click("Command4");
        e.platform.recorder.overwriteChoices = {OverwriteChoice::Cancel, OverwriteChoice::SaveAs,
                                                OverwriteChoice::Overwrite};
        e.trigger("SaveFile");
        QCOMPARE(readAll(plan), kHutte);
        QVERIFY(e.window->isWindowModified());
        e.trigger("SaveFile");  // the save dialog, cancelled
        QCOMPARE(e.platform.recorder.dialogs.back().substr(0, 5), u"save:");
        QCOMPARE(readAll(plan), kHutte);
        e.trigger("SaveFile");
        QCOMPARE(readAll(plan).size(), 2 * kHutte.size());
        QVERIFY(!e.window->isWindowModified());
        QCOMPARE(e.platform.recorder.questions,
                 std::vector<std::u16string>(
                     3,
                     u"read-only:Le fichier est en lecture seule : l'écraser quand même, "
                     u"enregistrer sous un autre nom, annuler ?\r\n" +
                         u16(plan)));
    }

    // A name that is not UTF-8 gets every check of the others: a save by another window is seen
    // by the watcher, and not overwritten unasked.
    void aNameThatIsNotUtf8GetsEveryCheck() {
        Editor a, b;
        const std::string bytes =
            QFile::encodeName(a.dir.path()).toStdString() + "/r\xE9sum\xE9.qrn";
        std::ofstream(bytes, std::ios::binary) << kHutte.toStdString();
        const std::u16string plan = decodeFileName(bytes);
        a.window->openPath(plan);
        b.window->openPath(plan);
        QCOMPARE(b.rows().size(), 1);
        a.click("Command4");
        a.trigger("SaveFile");
        auto& asked = b.platform.recorder.questions;
        QTRY_COMPARE(asked.size(), 1u);
        QVERIFY(asked.back().starts_with(u"reload:"));  // Ignorer
        b.click("Command4");
        b.trigger("SaveFile");
        QCOMPARE(asked.size(), 2u);
        QVERIFY(asked.back().starts_with(u"overwrite:"));  // Annuler
        std::ifstream in(bytes, std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}).size(), 2 * kHutte.size());
        ::unlink(bytes.c_str());  // QTemporaryDir would not find it under its UTF-8 name
    }

    // What is no plan file (a FIFO, a device) is refused at once, whether opened or put in the
    // place of the window's plan; it is never read, so the window never waits on it.
    void filesThatAreNoPlansAreRefusedAtOnce_data() {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("FIFO") << true;
        QTest::newRow("link to /dev/zero") << false;
    }
    void filesThatAreNoPlansAreRefusedAtOnce() {
        QFETCH(const bool, fifo);
        const Watchdog watchdog(20);
        Editor e;
        const QString plan = e.path(u"p.qrn"_qs), other = e.path(u"other"_qs);
        writeBytes(plan, kHutte);
        if (fifo)
            QVERIFY(::mkfifo(QFile::encodeName(other).constData(), 0600) == 0);
        else
            QVERIFY(QFile::link(u"/dev/zero"_qs, other));
        open(e, plan);
        open(e, other);
        QCOMPARE(e.window->currentFile(), u16(plan));
        QVERIFY2(lastMessage(e).contains(u"ce n'est pas un fichier ordinaire"_qs),
                 qPrintable(lastMessage(e)));
        QVERIFY(::rename(QFile::encodeName(other).constData(),
                         QFile::encodeName(plan).constData()) == 0);
        QTRY_COMPARE(e.messages().size(), 2u);
        QVERIFY2(lastMessage(e).startsWith(u"Le fichier "_qs + plan + u" a été remplacé"_qs) &&
                     lastMessage(e).contains(u"ce n'est pas un fichier ordinaire"_qs),
                 qPrintable(lastMessage(e)));
        e.click("Command4");
        e.trigger("SaveFile");  // what took the plan's place is not overwritten unasked
        QCOMPARE(e.platform.recorder.questions.size(), 1u);
        QVERIFY(e.platform.recorder.questions.back().starts_with(u"overwrite:"));
    }

    // The window's file changed on disk while nothing is unsaved: reloading is offered, once
    // a change, also after the file was replaced whole; never over unsaved edits.
    void changedFileIsOfferedForReload() {
        Editor e;
        auto& asked = e.platform.recorder.questions;
        const QString plan = e.path(u"w.qrn"_qs);
        writeBytes(plan, kHutte);
        open(e, plan);
        e.platform.recorder.reloadChoices = {platform::ReloadChoice::Reload};
        writeBytes(plan, kTemple);
        QTRY_COMPARE(asked.size(), 1u);
        QVERIFY(
            QString::fromStdU16String(asked.back()).startsWith(u"reload:Le fichier "_qs + plan));
        QCOMPARE(e.rows(), QStringList{u"Temple|40|25|2|0|1|0|5t"_qs});
        QVERIFY(!e.window->isWindowModified());

        writeBytes(e.path(u"next"_qs), kHutte + kTemple);
        QVERIFY(::rename(qPrintable(e.path(u"next"_qs)), qPrintable(plan)) == 0);
        QTRY_COMPARE(asked.size(), 2u);  // Ignorer
        QCOMPARE(e.rows().size(), 1);
        writeBytes(plan, kHutte);  // the file that took its place is watched too
        QTRY_COMPARE(asked.size(), 3u);
        e.click("Command4");
        writeBytes(plan, kTemple);
        QTest::qWait(300);
        QCOMPARE(asked.size(), 3u);
    }

    void previewRoundTrip() {
        Editor e;
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        auto* list = e.get<QTreeView>("ListView1");
        writeBytes(e.path(u"p.qrn"_qs), kHutte + kTemple);
        open(e, e.path(u"p.qrn"_qs));
        e.click("Command6");
        QVERIFY(e.window->textViewShown() && list->isHidden() && text7->isVisible());
        QCOMPARE(text7->toPlainText().toLatin1(), QByteArray(kHutte + kTemple).replace("\r", ""));
        e.click("Command6");  // nothing typed: the list stays as it was, not modified
        QVERIFY(!e.window->textViewShown() && !list->isHidden() && text7->isHidden());
        QVERIFY(!e.window->isWindowModified());
        e.click("Command6");
        // A no-break space is a character of the cell, not a separator, and must come back.
        text7->moveCursor(QTextCursor::End);
        typeInto(text7, QString::fromLatin1(kHutte).replace(u"12"_qs, u"9\u00A09"_qs).trimmed());
        e.click("Command6");
        QCOMPARE(e.rows().size(), 3);
        QCOMPARE(e.rows().at(2), u"Hutte|9\u00A09|7|0|3|0|3|1t"_qs);
        QVERIFY(e.messages().empty());
        QVERIFY(e.window->isWindowModified());
        e.trigger("Undo");  // the take-back is one step of the history
        QCOMPARE(e.rows().size(), 2);
        QVERIFY(!QDir(e.dir.path()).entryList({u"~*.tmp"_qs}).size());
    }

    // A line that cannot be read keeps everything: the text as typed, the list as before. The
    // switch and the saves say so, the cursor on the line; the commands that leave the plan ask.
    void previewBadLineKeepsEverything() {
        using platform::TextLeaveChoice;
        Editor e;
        auto& ui = e.platform.recorder;
        e.click("Command4");
        const QStringList rows = e.rows();
        e.click("Command6");
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        const QString typed = QString::fromLatin1(kTemple) + u"Inconnu 1 2 3 4 5 6 7\n"_qs +
                              QString::fromLatin1(kHutte);
        text7->setPlainText(typed);
        const QString shown = text7->toPlainText();
        const auto run = [&](const char* command, int line) {
            text7->moveCursor(QTextCursor::End);
            if (QByteArray(command).startsWith("Command"))
                e.click(command);
            else
                e.trigger(command);
            QVERIFY(e.window);
            QVERIFY2(e.window->textViewShown(), command);
            QCOMPARE(text7->toPlainText(), shown);
            QCOMPARE(e.rows(), rows);
            QCOMPARE(text7->textCursor().block().blockNumber(), line);
        };
        const QString bad = u"ligne 2 « Inconnu 1 2 3 4 5 6 7 » ne peut pas être lue : "_qs;
        e.answers().push_back(u16(e.path(u"new.qrn"_qs)));
        for (const char* command : {"Command6", "SaveFilesAs", "SaveFile"}) {
            run(command, 1);
            QVERIFY2(
                lastMessage(e).contains(bad) && lastMessage(e).contains(u"« 6 » n'existe pas"_qs),
                qPrintable(lastMessage(e)));
        }
        for (const auto& [command, name] : {std::pair{"NewFile", u"Nouveau"_qs},
                                            {"OpenFile", u"Ouvrir"_qs},
                                            {"Quit", u"Quitter"_qs}}) {
            run(command, 3);  // Annuler: as it was
            const QString question = QString::fromStdU16String(ui.questions.back());
            QVERIFY2(question.startsWith(u"leave:« "_qs + name + u" » attend votre réponse"_qs) &&
                         question.contains(bad),
                     qPrintable(question));
        }
        QCOMPARE(e.messages().size(), 3u);
        QCOMPARE(ui.questions.size(), 3u);
        QVERIFY(!QFileInfo::exists(e.path(u"new.qrn"_qs)));
        QVERIFY(e.platform.recorder.dialogs.empty());

        ui.leaveChoices = {TextLeaveChoice::KeepEditing};
        run("Quit", 1);
        // Dropping the text goes on with Quitter: the list, modified, is asked about as ever.
        ui.leaveChoices = {TextLeaveChoice::Drop};
        e.trigger("Quit");
        QVERIFY(e.window && !e.window->textViewShown());
        QCOMPARE(e.rows(), rows);
        QCOMPARE(ui.questions.back(), u"save:Sans titre");
        QVERIFY(e.window->isWindowModified());
    }

    // Text typed in the text view is the plan: the window is modified and the autosave keeps
    // the text, which a window recovering the copy shows again in the text view.
    void typedTextIsKeptAndRecovered() {
        Editor e;
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        e.click("Command4");
        e.trigger("SaveFilesAs");  // cancelled: still modified, by the list
        e.click("Command6");
        e.window->document().markSaved({});
        QVERIFY(!e.window->isWindowModified());
        const QString before = text7->toPlainText();
        text7->moveCursor(QTextCursor::End);
        const QString typed = u"Inconnu\u00A0é \"x\\ 1"_qs;
        typeInto(text7, typed);
        QVERIFY(e.window->isWindowModified());
        e.window->autosave().setBackground(false);
        QTest::qWait(400);  // the end of the typing reaches the document once it pauses
        e.window->autosave().saveNow();
        const QDir recovery(e.state.recoveryFolder);
        const QStringList copies = recovery.entryList({u"*.jsonl"_qs});
        QCOMPARE(copies.size(), 1);
        const std::u16string text =
            QString(before + typed).replace(u"\n"_qs, u"\r\n"_qs).toStdU16String();
        QCOMPARE(readRecovery(u16(recovery.filePath(copies.at(0))), e.platform.fs).text,
                 std::optional(text));

        Editor f;  // as if e had been killed: its copy, without its lock
        QDir().mkpath(f.state.recoveryFolder);
        QVERIFY(
            QFile::copy(recovery.filePath(copies.at(0)), f.state.recoveryFolder + u"/~X.jsonl"_qs));
        f.platform.recorder.recoveryChoices = {platform::RecoveryChoice::Recover};
        QTRY_VERIFY(f.window->textViewShown());
        QCOMPARE(f.get<QPlainTextEdit>("Text7")->document()->toRawText(),
                 text7->document()->toRawText());
        QCOMPARE(f.rows(), e.rows());
        QVERIFY(f.window->isWindowModified());
    }

    // A list that cannot be written is not shown as text; "Enregistrer sous..." in the text
    // view saves the text on screen.
    void saveFromTheTextViewSavesTheText() {
        Editor e;
        e.type("Text6", u"12345678901"_qs);
        e.click("Command4");
        e.click("Command6");
        QVERIFY(!e.window->textViewShown());
        QVERIFY2(lastMessage(e).contains(u"colonne O"_qs), qPrintable(lastMessage(e)));
        e.trigger("Undo");
        e.click("Command6");
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        text7->setPlainText(QString::fromLatin1(kTemple));
        e.answers().push_back(u16(e.path(u"t.qrn"_qs)));
        e.trigger("SaveFilesAs");
        QCOMPARE(readAll(e.path(u"t.qrn"_qs)), kTemple);
        QVERIFY(e.window->textViewShown());
        QVERIFY(!e.window->isWindowModified());
        QCOMPARE(e.window->windowTitle(), u"t.qrn[*] - QRN"_qs);
    }

    // A modified plan is never left without asking: Quitter, the close box, Nouveau, Ouvrir.
    void unsavedWorkIsAskedFor() {
        using platform::SaveChoice;
        Editor e;
        auto& ui = e.platform.recorder;
        e.trigger("Quit");  // not modified: no question
        QCOMPARE(ui.questions.size(), 0u);
        Editor f;
        auto& asked = f.platform.recorder;
        f.click("Command4");
        QVERIFY(f.window->isWindowModified());
        for (const char* command : {"Quit", "NewFile", "OpenFile"}) {
            asked.saveChoices = {SaveChoice::Cancel};
            f.trigger(command);
            QVERIFY2(f.window && f.rows().size() == 1, command);
        }
        f.window->close();  // the close box: cancelled too
        QCOMPARE(asked.questions, std::vector<std::u16string>(4, u"save:Sans titre"));
        QVERIFY(f.window && f.window->isVisible());

        asked.saveChoices = {SaveChoice::Save};  // saving asks where, then goes on
        f.answers().push_back(u16(f.path(u"s.qrn"_qs)));
        f.trigger("NewFile");
        QCOMPARE(readAll(f.path(u"s.qrn"_qs)).size(), 80);
        QVERIFY(f.rows().isEmpty() && f.window->currentFile().empty());

        f.click("Command4");
        asked.saveChoices = {SaveChoice::Save};  // saving cancelled: nothing is left
        f.trigger("NewFile");
        QCOMPARE(f.rows().size(), 1);

        asked.saveChoices = {SaveChoice::Discard};  // Quitter closes as the close box does
        f.trigger("Quit");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.window.isNull());
        QCOMPARE(readAll(f.path(u"s.qrn"_qs)).size(), 80);
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnFiles)
#include "test_qrn_files.moc"
