// The window as the keyboard and assistive tools use it: the picker takes what the user sees,
// the focus flows back for the next row, the buttons' keys, the text view's editing and saving,
// the controls' names.

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QUndoStack>

#include "editor/map_view.h"
#include "tests/editor/test_qrn_fixture.h"

namespace qrn::test {

class TestQrnHands : public QObject {
    Q_OBJECT
private slots:
    // Enter and Tab take the highlighted entry or the one the text names; a name the age filter
    // hides says so; after a row the picker is ready for the next, the fields kept.
    void rowsByKeyboardAlone() {
        Editor e;
        QApplication::setActiveWindow(e.window);
        QVERIFY(QTest::qWaitForWindowActive(e.window));
        auto* combo = e.get<QComboBox>("Combo1");
        QLineEdit* edit = combo->lineEdit();
        QAbstractItemView* popup = combo->completer()->popup();
        auto* hint = e.get<QLabel>("PickerHint");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, u"entrepot"_qs);
        QTest::keyClick(popup->isVisible() ? static_cast<QWidget*>(popup) : edit, Qt::Key_Return);
        QCOMPARE(combo->currentText(), u"Entrepôt"_qs);
        QTest::keyClick(edit, Qt::Key_Tab);
        auto* x = e.get<QLineEdit>("Text1");
        QCOMPARE(QApplication::focusWidget(), x);
        typeInto(x, u"7"_qs);
        QTest::keyClick(x, Qt::Key_Return);
        QCOMPARE(e.rows(), QStringList{u"Entrepôt|7|0|0|0|0|0|3n"_qs});
        QVERIFY(combo->hasFocus());
        QCOMPARE(edit->selectedText(), u"Entrepôt"_qs);
        QCOMPARE(x->text(), u"7"_qs);

        // The highlighted entry wins over what the text names, Tab and a click alike.
        QTest::keyClicks(edit, u"e"_qs);
        QVERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        const QString second = popup->currentIndex().data().toString();
        QTest::keyClick(popup, Qt::Key_Tab);
        QCOMPARE(combo->currentText(), second);
        QCOMPARE(QApplication::focusWidget(), x);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, u"hut"_qs);
        QTest::keyClick(popup, Qt::Key_Down);
        auto* add = e.get<QPushButton>("Command4");
        QTest::mouseClick(popup, Qt::LeftButton, {},
                          popup->mapFromGlobal(add->mapToGlobal(add->rect().center())));
        QCOMPARE(e.rows().last(), u"Hutte|7|0|0|0|0|0|1n"_qs);

        // Insérer has its key: before the selected row.
        e.clickRow(1);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, u"grenier"_qs);
        QTest::keyClick(popup, Qt::Key_Return, Qt::ControlModifier);
        QTRY_COMPARE(e.rows().size(), 3);
        QVERIFY(e.rows().first().startsWith(u"Grenier|"_qs));
        e.clickRow(1);
        QTest::keyClick(e.get<QLineEdit>("Text6"), Qt::Key_Return, Qt::ControlModifier);
        QTRY_COMPARE(e.rows().size(), 4);

        // A name hidden by the age filter: the hint and the status line name the age; the
        // message goes when the picker changes.
        e.trigger("ShowIronAge");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, u"temple"_qs);
        QCOMPARE(hint->text(), u"« Temple » est masqué : Age du fer"_qs);
        QTest::keyClick(e.get<QLineEdit>("Text1"), Qt::Key_Return);
        QCOMPARE(e.rows().size(), 4);
        QVERIFY2(e.window->statusBar()->currentMessage().contains(u"Age du fer"_qs),
                 qPrintable(e.window->statusBar()->currentMessage()));
        QVERIFY(e.window->statusBar()->isVisible());
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(e.window->statusBar()->currentMessage(), QString());
    }

    // Cells edit as in a spreadsheet: typing on the current cell starts its edit, Tab and
    // Shift+Tab keep it and go right and left along the row (wrapping round the row's ends),
    // Enter keeps it and goes down, Escape drops it; one undo step per cell changed.
    void cellsEditAsInASpreadsheet() {
        Editor e;
        QApplication::setActiveWindow(e.window);
        QVERIFY(QTest::qWaitForWindowActive(e.window));
        e.get<QComboBox>("Combo1")->setCurrentIndex(1);
        e.click("Command4");
        e.click("Command4");
        auto* view = e.get<QTreeView>("ListView1");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 1)).center());
        const int steps = e.window->document().undoStack()->count();
        const auto keys = [](const QString& text, Qt::Key end, Qt::KeyboardModifiers mods = {}) {
            typeInto(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), end, mods);
            QTest::qWait(0);  // the delegate keeps an Enter once the editor had it
        };
        keys(u"1"_qs, Qt::Key_Tab);
        keys(u"2"_qs, Qt::Key_Tab);
        keys(u"3"_qs, Qt::Key_Return);
        QCOMPARE(e.rows(), (QStringList{u"Hutte|1|2|3|0|0|0|1n"_qs, u"Hutte|0|0|0|0|0|0|1n"_qs}));
        QCOMPARE(e.window->document().undoStack()->count(), steps + 3);
        QCOMPARE(view->currentIndex(), view->model()->index(1, 3));
        QCOMPARE(e.viewSelection(), 2);

        // Shift+Tab from row 2's X reaches its building, then row 1's last cell; Tab from there
        // wraps to row 2's building, whose editor takes the entry it shows on Enter.
        QTest::keyClick(view, Qt::Key_Left);
        QTest::keyClick(view, Qt::Key_Left);
        keys(u"4"_qs, Qt::Key_Backtab);
        keys({}, Qt::Key_Backtab);
        QCOMPARE(view->currentIndex(), view->model()->index(0, 6));
        keys(u"5"_qs, Qt::Key_Escape);
        QCOMPARE(e.rows().first(), u"Hutte|1|2|3|0|0|0|1n"_qs);
        QTest::keyClick(view, Qt::Key_F2);
        keys(u"6"_qs, Qt::Key_Tab);
        QCOMPARE(view->currentIndex(), view->model()->index(1, 0));
        keys(u"temple"_qs, Qt::Key_Return);
        QCOMPARE(e.rows(), (QStringList{u"Hutte|1|2|3|0|0|6|1n"_qs, u"Temple|4|0|0|0|0|0|5n"_qs}));
        QCOMPARE(e.window->document().undoStack()->count(), steps + 6);
    }

    // In the text view "Édition" offers the text box's own editing, the list's history hidden;
    // Ctrl+S saves and the text view stays, the cursor where it was.
    void textViewEditsAndSaves() {
        Editor e;
        QApplication::setActiveWindow(e.window);
        QVERIFY(QTest::qWaitForWindowActive(e.window));
        e.click("Command4");
        const QString file = e.path(u"t.qrn"_qs);
        e.answers().push_back(u16(file));
        e.trigger("SaveFile");
        e.click("Command6");
        const auto shown = [&e] {
            QStringList names;
            for (QAction* a : e.get<QMenu>("Edit")->actions())
                if (a->isVisible()) names << a->objectName() + (a->isEnabled() ? u""_qs : u"-"_qs);
            return names.join(u' ');
        };
        QCOMPARE(shown(), u"TextUndo- TextRedo- TextCut- TextCopy- TextPaste"_qs);
        auto* text7 = e.get<QPlainTextEdit>("Text7");
        text7->setFocus();
        text7->moveCursor(QTextCursor::End);
        QTest::keyClicks(text7,
                         u"40        25        2         0         1         0         "
                         u"Temple         105"_qs);
        const int cursor = text7->textCursor().position();
        QCOMPARE(shown(), u"TextUndo TextRedo- TextCut- TextCopy- TextPaste"_qs);
        e.get<QAction>("TextUndo")->trigger();
        QCOMPARE(shown(), u"TextUndo- TextRedo TextCut- TextCopy- TextPaste"_qs);
        e.get<QAction>("TextRedo")->trigger();
        QTest::keyClick(text7, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(e.window->textViewShown());
        QCOMPARE(QApplication::focusWidget(), text7);
        QCOMPARE(text7->textCursor().position(), cursor);
        QCOMPARE(e.rows().size(), 2);
        QVERIFY(readAll(file).endsWith("Temple         105\r\n"));
        QVERIFY(!e.window->isWindowModified());
        e.click("Command6");
        QCOMPARE(shown(),
                 u"Undo Redo- sep6 CutRows CopyRows PasteRows DuplicateRows sep7 FindRows"_qs);
    }

    // A refused save: its message's lines are sentences, and the refused row and cell are
    // selected in the list.
    void refusedSaveShowsTheCell() {
        Editor e;
        for (const QString& o : {u"1"_qs, u"12345678901"_qs, u"2"_qs}) {
            e.type("Text6", o);
            e.click("Command4");
        }
        e.answers().push_back(u16(e.path(u"t.qrn"_qs)));
        e.trigger("SaveFile");
        QCOMPARE(e.messages().size(), 1u);
        const QString told = QString::fromStdU16String(e.messages()[0]);
        QVERIFY2(told.split(u"\r\n"_qs).at(1).at(0).isUpper(), qPrintable(told));
        QCOMPARE(e.viewSelection(), 2);
        QCOMPARE(e.get<QTreeView>("ListView1")->currentIndex().column(), 6);
    }

    // Size, splitter and columns come back in the user's next window; shown, it is wholly on
    // the screen, its remembered size cut to it.
    void windowStateIsRemembered() {
        Editor e;
        e.window->resize(900, 450);
        e.get<QTreeView>("ListView1")->header()->resizeSection(1, 91);
        QVERIFY(e.window->close());
        QRN next(e.platform, e.state);
        QCOMPARE(next.size(), QSize(900, 450));
        QCOMPARE(child<QTreeView>(&next, "ListView1")->header()->sectionSize(1), 91);
        const QRect screen = next.screen()->availableGeometry();
        QVERIFY(screen.width() < 900);
        next.show();
        QVERIFY(screen.contains(next.frameGeometry()));
    }

    // Every field is named by its label (its buddy), the list and the map by theirs; every
    // button's tooltip names its key; the status bar is there.
    void controlsAreNamed() {
        Editor e;
        // The status bar is there from the start: nothing moves when a message comes.
        QVERIFY(e.window->findChild<QStatusBar*>() != nullptr);
        const std::pair<const char*, QString> named[] = {
            {"Combo1", u"Bâtiment"_qs}, {"Text1", u"X"_qs}, {"Text2", u"Y"_qs}, {"Text3", u"N"_qs},
            {"Text4", u"S"_qs},         {"Text5", u"E"_qs}, {"Text6", u"O"_qs}};
        for (const auto& [name, accessible] : named) {
            auto* field = e.get<QWidget>(name);
            QCOMPARE(field->accessibleName(), accessible);
            bool buddy = false;
            for (QLabel* label : e.window->findChildren<QLabel*>())
                buddy = buddy || label->buddy() == field;
            QVERIFY2(buddy, name);
        }
        QCOMPARE(e.get<QWidget>("ListView1")->accessibleName(), u"Liste des placements"_qs);
        QCOMPARE(e.get<QWidget>("MapView")->accessibleName(), u"Carte"_qs);
        for (int i = 1; i <= 6; ++i) {
            auto* button = e.get<QPushButton>(qPrintable(u"Command%1"_qs.arg(i)));
            QVERIFY2(button->toolTip().contains(u'('), qPrintable(button->text()));
        }
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnHands)
#include "test_qrn_hands.moc"
