// Plans from the desktop: files dropped on a window, and "Fichier > Fichiers récents".

#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QUrl>

#include "editor/recent_files.h"

#include "tests/editor/test_qrn_fixture.h"

namespace qrn::test {

namespace {

// "Fichiers récents" as the File menu shows it: each item's text, "-" for a separator.
QStringList recentMenu(Editor& e) {
    emit e.get<QMenu>("File")->aboutToShow();
    QStringList items;
    for (QAction* a : e.get<QMenu>("RecentFiles")->actions())
        items << (a->isSeparator() ? u"-"_qs : a->text());
    return items;
}

// Drops files on widget at its centre, as a file manager does; true when the drop was taken.
bool drop(QWidget* widget, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPointF at = QRectF(widget->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &dropped);
    QCoreApplication::processEvents();  // the plans open once the drop is over
    return dropped.isAccepted();
}

}  // namespace

class TestQrnDesktop : public QObject {
    Q_OBJECT
private slots:
    void recentFilesKeepTheLastEight() {
        MemorySettings settings;
        RecentFiles recent(settings);
        for (char16_t c = u'a'; c <= u'j'; ++c) recent.add(std::u16string(1, c));
        recent.add(u"e");  // moved first, not repeated
        QCOMPARE(recent.files(),
                 (std::vector<std::u16string>{u"e", u"j", u"i", u"h", u"g", u"f", u"d", u"c"}));
        recent.remove(u"h");
        recent.remove(u"absent");
        QCOMPARE(recent.files().size(), 7u);
        QCOMPARE(recent.files()[3], u"g");
        recent.clear();
        QVERIFY(recent.files().empty());
        recent.add(u"z");  // nothing left over from the longer list
        QCOMPARE(recent.files(), std::vector<std::u16string>{u"z"});
    }

    // Opened and saved plans are listed, newest first, in every window; choosing one opens it
    // (asking first about unsaved work), a gone one is taken off with a status line.
    void recentFilesMenu() {
        Editor e;
        QVERIFY(recentMenu(e).isEmpty() && !e.get<QMenu>("RecentFiles")->isEnabled());
        const QString a = e.path(u"a.qrn"_qs), b = e.path(u"b.qrn"_qs);
        writeBytes(a, kHutte);
        e.answers().push_back(u16(a));
        e.trigger("OpenFile");
        e.answers().push_back(u16(b));
        e.trigger("SaveFilesAs");
        QCOMPARE(recentMenu(e),
                 (QStringList{u"&1 b.qrn"_qs, u"&2 a.qrn"_qs, u"-"_qs, u"&Effacer la liste"_qs}));
        QCOMPARE(e.get<QAction>("RecentFile2")->toolTip(), a);

        QRN other(e.platform, e.state);  // another window reads the same list
        emit child<QMenu>(&other, "File")->aboutToShow();
        QCOMPARE(child<QMenu>(&other, "RecentFiles")->actions().size(), 4);

        writeBytes(a, kTemple);
        e.click("Command4");  // modified: asks, and a cancel keeps the plan
        e.trigger("RecentFile2");
        QCOMPARE(e.platform.recorder.questions, std::vector<std::u16string>{u"save:b.qrn"});
        QCOMPARE(e.window->currentFile(), u16(b));
        e.platform.recorder.saveChoices.push_back(platform::SaveChoice::Discard);
        e.trigger("RecentFile2");
        QCOMPARE(e.window->currentFile(), u16(a));
        QCOMPARE(e.rows(), QStringList{u"Temple|40|25|2|0|1|0|5t"_qs});
        QCOMPARE(recentMenu(e).first(), u"&1 a.qrn"_qs);

        QVERIFY(QFile::remove(b));
        e.click("Command4");
        e.trigger("RecentFile2");  // gone: nothing asked, nothing changed
        QCOMPARE(e.platform.recorder.questions.size(), 2u);
        QCOMPARE(e.window->currentFile(), u16(a));
        QCOMPARE(e.window->statusBar()->currentMessage(),
                 u"« "_qs + b + u" » n'existe plus ; retiré des fichiers récents."_qs);
        QCOMPARE(recentMenu(e).size(), 3);
        e.trigger("ClearRecentFiles");
        QVERIFY(recentMenu(e).isEmpty());
    }

    // Files dropped on any part of the window, fields and list included: the first opens
    // here once the plan here may be left, the others are handed on.
    void droppedPlans() {
        Editor e;
        const QString a = e.path(u"a.qrn"_qs), b = e.path(u"b.qrn"_qs);
        writeBytes(a, kHutte);
        writeBytes(b, kTemple);
        QSignalSpy elsewhere(e.window, &QRN::plansToOpenElsewhere);
        e.type("Text1", u"5"_qs);
        e.click("Command4");  // modified: the first drop is cancelled at the question
        QVERIFY(drop(e.get<QTreeView>("ListView1")->viewport(), {a, b}));
        QCOMPARE(e.platform.recorder.questions, std::vector<std::u16string>{u"save:Sans titre"});
        QCOMPARE(e.rows().size(), 1);
        QVERIFY(elsewhere.isEmpty());

        e.platform.recorder.saveChoices.push_back(platform::SaveChoice::Discard);
        QVERIFY(drop(e.get<QLineEdit>("Text1"), {a, b}));
        QCOMPARE(e.get<QLineEdit>("Text1")->text(), u"5"_qs);
        QCOMPARE(e.window->currentFile(), u16(a));
        QCOMPARE(e.rows(), QStringList{u"Hutte|12|7|0|3|0|3|1t"_qs});
        QCOMPARE(elsewhere.size(), 1);
        QCOMPARE(elsewhere.first().first().toStringList(), QStringList{b});

        e.click("Command6");  // over the text view, the plan, not its path as text
        QVERIFY(drop(e.get<QPlainTextEdit>("Text7")->viewport(), {b}));
        QVERIFY(!e.window->textViewShown());
        QCOMPARE(e.window->currentFile(), u16(b));
        QCOMPARE(e.messages().size(), 0u);

        QMimeData text;  // what carries no file is left to the widget
        text.setText(u"12"_qs);
        QDragEnterEvent enter({1, 1}, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e.window, &enter);
        QVERIFY(!enter.isAccepted());
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnDesktop)
#include "test_qrn_desktop.moc"
