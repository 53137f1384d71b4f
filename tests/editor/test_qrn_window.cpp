// The editor window through its widgets: load step, controls and menus, row commands, the
// picker and the age filter, "Nouveau", the Plugin menu, and the map.

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>

#include "editor/map_view.h"
#include "tests/editor/test_qrn_fixture.h"

namespace qrn::test {

namespace {

struct FakeDialogs : PluginDialogs {
    QStringList calls;
    void showOptions() override { calls << QStringLiteral("options"); }
    void showAbout() override { calls << QStringLiteral("about"); }
};

QStringList comboEntries(const QComboBox& combo) {
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i)
        entries << combo.itemText(i) + u':' + combo.itemData(i).toString();
    return entries;
}

}  // namespace

class TestQrnWindow : public QObject {
    Q_OBJECT
private slots:
    void loadStepAndControls() {
        Editor e;
        QRN& w = *e.window;
        QCOMPARE(w.objectName(), u"QRN"_qs);
        QCOMPARE(w.windowTitle(), u"QRN[*]"_qs);
        QCOMPARE(e.platform.application.helpFile, e.platform.application.path + u"/Help/Help.chm");
        auto* combo = e.get<QComboBox>("Combo1");
        QCOMPARE(comboEntries(*combo).join(u' '),
                 u"(aucun):0 Hutte:1 Grenier:2 Entrepôt:3 Maison:4 Temple:5"_qs);
        QStringList buttons;
        for (int i = 1; i <= 6; ++i) {
            QCOMPARE(e.get<QLineEdit>(qPrintable(u"Text%1"_qs.arg(i)))->text(), u"0"_qs);
            buttons << e.get<QPushButton>(qPrintable(u"Command%1"_qs.arg(i)))->text();
        }
        QVERIFY(e.get<QPlainTextEdit>("Text7")->isHidden());

        QCOMPARE(buttons.join(u'|'), u"Supprimer|/\\|\\/|Ajouter|Insérer|Voir le fichier"_qs);
        QStringList captions;
        for (const QLabel* label : w.findChildren<QLabel*>()) captions << label->text();
        for (const char16_t* c :
             {u"X:", u"Y:", u"N", u"S", u"E", u"O", u"Coordonées", u"Décalage possible"})
            QVERIFY2(captions.contains(QString::fromUtf16(c)), qPrintable(captions.join(u'|')));

        // Menus in order; a separator shows as "-", a checked item with "*".
        QStringList menus;
        for (QAction* menu : w.menuBar()->actions()) {
            QStringList items{menu->menu()->objectName() + u'=' + menu->text()};
            for (QAction* a : menu->menu()->actions())
                if (a->isVisible())
                    items << (a->isSeparator() ? a->objectName() + u'-'
                                               : a->objectName() + u'=' + a->text() +
                                                     (a->isChecked() ? u"*"_qs : QString()));
            menus << items.join(u',');
        }
        QCOMPARE(
            menus,
            (QStringList{u"File=&Fichier,NewFile=&Nouveau,sep1-,OpenFile=&Ouvrir,"
                         u"RecentFiles=Fichiers &récents,sep3-,"
                         u"SaveFile=&Enregistrer,SaveFilesAs=Enregistrer &sous...,"
                         u"ExportMapImage=E&xporter l'image de la carte...,sep2-,"
                         u"Quit=&Quitter"_qs,
                         u"Edit=&Édition,Undo=&Annuler,Redo=&Rétablir,sep6-,CutRows=Co&uper,"
                         u"CopyRows=&Copier,PasteRows=C&oller,DuplicateRows=&Dupliquer,sep7-,"
                         u"FindRows=Re&chercher..."_qs,
                         u"Show=&Afficher,ShowStoneAge=Age de la &pierre*,ShowToolAge=Age de "
                         u"l'&outil*,ShowBronzeAge=Age du &bronze*,ShowIronAge=Age du &fer*,sep5-,"
                         u"ShowMap=&Carte"_qs,
                         u"PlugMnu=&Plugin,ShowOpt=&Options...,sep4-,ShowHelp=A&ide,"
                         u"ShowAbout=A &propos de..."_qs}));
        QCOMPARE(e.get<QAction>("ShowHelp")->shortcut(), QKeySequence(Qt::Key_F1));

        // The Plugin menu: help, and the dialogs (placeholders while none are given).
        e.trigger("ShowHelp");
        QCOMPARE(e.platform.recorder.help,
                 std::vector<std::u16string>{e.platform.application.helpFile + u"#QRN1.htm"});
        e.trigger("ShowOpt");
        e.trigger("ShowAbout");
        QCOMPARE(e.messages().size(), 2u);
        FakeDialogs dialogs;
        e.state.dialogs = &dialogs;
        e.trigger("ShowOpt");
        e.trigger("ShowAbout");
        QCOMPARE(dialogs.calls, (QStringList{u"options"_qs, u"about"_qs}));
        QCOMPARE(e.messages().size(), 2u);
    }

    void failedLoadOpensWithEmptyPicker() {
        for (const auto& [catalogue, where] :
             {std::pair{QByteArray(), QString()}, {QByteArray("L\r\nA\r\n1\r\n"), u"ligne"_qs}}) {
            Editor e(catalogue);
            QCOMPARE(e.messages().size(), 1u);
            const QString message = QString::fromStdU16String(e.messages()[0]);
            QVERIFY2(message.contains(e.path(u"QRN.txt"_qs)) && message.contains(where),
                     qPrintable(message));
            QCOMPARE(e.get<QComboBox>("Combo1")->count(), 0);
            e.click("Command4");  // nothing to add from an empty picker
            QVERIFY(e.window->list().empty());
        }
    }

    // Each button runs its command (the commands themselves are the core's), the view's
    // selection follows the list's, and every command is one step of the history: undone and
    // done again, rows, order and selection come back exactly.
    void rowCommandsUndoAndRedo() {
        Editor e;
        QCOMPARE(e.get<QAction>("Undo")->shortcut(), QKeySequence(QKeySequence::Undo));
        const auto state = [&e] {
            return e.rows().join(u'/') + u'#' + QString::number(e.viewSelection());
        };
        e.click("Command2");  // "/\" on an empty list adds the input area's row
        e.get<QComboBox>("Combo1")->setCurrentIndex(1);
        e.type("Text1", u"ab"_qs);
        e.type("Text3", QString());
        e.click("Command4");
        const QString a = u"(aucun)|0|0|0|0|0|0|0n/"_qs, h = u"Hutte|ab|0||0|0|0|1n"_qs,
                      t = u"Temple|ab|0||0|0|0|5n"_qs;
        QCOMPARE(state(), a + h + u"#0"_qs);
        e.clickRow(2);
        QCOMPARE(e.window->list().selected(), 2);
        QStringList states{state()};
        e.get<QComboBox>("Combo1")->setCurrentIndex(5);
        const std::pair<const char*, QString> steps[] = {
            {"Command5", a + t + u'/' + h + u"#3"_qs},  // Insérer: takes row 2's place
            {"Command2", a + h + u'/' + t + u"#2"_qs},
            {"Command3", a + t + u'/' + h + u"#3"_qs},
            {"Command1", a + t + u"#0"_qs},
            {"Command4", a + t + u'/' + t + u"#0"_qs}};
        for (const auto& [button, after] : steps) {
            e.click(button);
            QCOMPARE(state(), after);
            states << after;
        }
        QCOMPARE(e.get<QAction>("Undo")->text(), u"&Annuler Ajouter"_qs);
        for (qsizetype i = states.size() - 2; i >= 0; --i) {
            e.trigger("Undo");
            QCOMPARE(state(), states.at(i));
        }
        for (qsizetype i = 1; i < states.size(); ++i) {
            e.trigger("Redo");
            QCOMPARE(state(), states.at(i));
        }
        for (int i = 0; i < 7; ++i) e.trigger("Undo");
        QVERIFY(e.rows().isEmpty() && !e.window->isWindowModified());
    }

    // Each age cleared in the Afficher menu takes its buildings out of the picker, which goes
    // back to "(aucun)"; the rows stay.
    void ageFilter() {
        for (const auto& [cleared, offered] :
             {std::pair{"Stone Bronze Iron", "(aucun):0 Grenier:2 Entrepôt:3 Maison:4"},
              {"Stone Tool Bronze Iron", "(aucun):0 Maison:4"},
              {"Iron Iron", "(aucun):0 Hutte:1 Grenier:2 Entrepôt:3 Maison:4 Temple:5"}}) {
            Editor e;
            e.click("Command4");
            auto* combo = e.get<QComboBox>("Combo1");
            combo->setCurrentIndex(2);
            for (const QString& age : QString::fromLatin1(cleared).split(u' '))
                e.trigger(qPrintable(u"Show"_qs + age + u"Age"_qs));
            QCOMPARE(comboEntries(*combo).join(u' '), QString::fromUtf8(offered));
            QCOMPARE(combo->currentIndex(), 0);
            QCOMPARE(e.window->input().picker.listIndex(), 0);
            QCOMPARE(e.rows().size(), 1);
        }
    }

    // Nouveau resets the input area too.
    void newFileResetsTheInputArea() {
        Editor e;
        e.get<QComboBox>("Combo1")->setCurrentIndex(4);
        e.type("Text2", u"12"_qs);
        e.trigger("ShowIronAge");
        e.get<QComboBox>("Combo1")->setCurrentIndex(2);
        e.trigger("NewFile");
        QCOMPARE(e.get<QLineEdit>("Text2")->text(), u"0"_qs);
        QCOMPARE(e.window->input().fields[1], u"0");
        QCOMPARE(e.get<QComboBox>("Combo1")->currentIndex(), 0);
        QVERIFY(!e.get<QAction>("ShowIronAge")->isChecked());
    }

    // A cell edited in place the ways a user starts it, committed with Enter: one command.
    void editInPlace_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("start");  // F2, a double click, or the first key typed
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("row");
        QTest::newRow("F2 on X") << 1 << u"F2"_qs << u"12345678901"_qs
                                 << u"Hutte|12345678901|0|0|0|0|0|1n"_qs;
        QTest::newRow("double click on Y") << 2 << u"dbl"_qs << u""_qs << u"Hutte|0||0|0|0|0|1n"_qs;
        QTest::newRow("typing on E") << 5 << u"7"_qs << u" 5"_qs << u"Hutte|0|0|0|0|7 5|0|1n"_qs;
        QTest::newRow("building, Left from X")
            << 0 << u"Left F2"_qs << u"Temple"_qs << u"Temple|0|0|0|0|0|0|5n"_qs;
    }
    void editInPlace() {
        QFETCH(int, column);
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, row);
        Editor e;
        e.get<QComboBox>("Combo1")->setCurrentIndex(1);
        e.click("Command4");
        auto* view = e.get<QTreeView>("ListView1");
        const QModelIndex cell = view->model()->index(0, column);
        const bool left = start == u"Left F2"_qs;  // clicked on the next cell, Left to this one
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(cell.siblingAtColumn(column + left)).center());
        if (left) QTest::keyClick(view, Qt::Key_Left);
        if (start == u"dbl"_qs)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                               view->visualRect(cell).center());
        else if (start.endsWith(u"F2"_qs))
            QTest::keyClick(view, Qt::Key_F2);
        else
            QTest::keyClicks(view, start);
        QWidget* editor = view->indexWidget(cell);
        QVERIFY(editor);
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentIndex(box->findText(typed));
        } else {
            if (start.size() > 1) qobject_cast<QLineEdit*>(editor)->clear();
            typeInto(editor, typed);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(e.rows(), QStringList{row});
        // Marked, with the writer's reason, when a save would refuse it.
        const QString tip = cell.data(Qt::ToolTipRole).toString();
        QCOMPARE(tip.contains(u"11 caractères"_qs), typed.size() == 11);
        QCOMPARE(cell.data(Qt::ForegroundRole).isValid(), typed.size() == 11);
        e.trigger("Undo");
        QCOMPARE(e.rows(), QStringList{u"Hutte|0|0|0|0|0|0|1n"_qs});
    }

    // The keys of the window, pressed where a user presses them.
    void keys_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("after");  // rows, # the view's selection, # Text1
        QTest::newRow("Enter in a field adds")
            << u"Text3"_qs << QKeySequence(Qt::Key_Return) << u"A/B/9#1#9"_qs;
        QTest::newRow("Delete removes")
            << u"list"_qs << QKeySequence(Qt::Key_Delete) << u"B#0#9"_qs;
        QTest::newRow("Ctrl+Down moves down")
            << u"list"_qs << QKeySequence(Qt::CTRL | Qt::Key_Down) << u"B/A#2#9"_qs;
        QTest::newRow("Ctrl+R takes the row back")
            << u"Text1"_qs << QKeySequence(Qt::CTRL | Qt::Key_R) << u"A/B#1#1"_qs;
    }
    void keys() {
        QFETCH(QString, where);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, after);
        Editor e;
        e.get<QComboBox>("Combo1")->setCurrentIndex(1);
        for (const char* x : {"1", "2"}) {
            e.type("Text1", QString::fromLatin1(x));
            e.click("Command4");
        }
        e.type("Text1", u"9"_qs);
        e.clickRow(1);
        QApplication::setActiveWindow(e.window);
        QVERIFY(QTest::qWaitForWindowActive(e.window));
        QWidget* target =
            where == u"list"_qs ? e.get<QTreeView>("ListView1") : e.get<QWidget>(qPrintable(where));
        target->setFocus();
        QTest::keySequence(target, keys);
        QString rows = e.rows().join(u'/');
        rows.replace(u"Hutte|"_qs, QString()).replace(u"|0|0|0|0|0|1n"_qs, QString());
        rows.replace(u'1', u'A').replace(u'2', u'B');
        QCOMPARE(rows + u'#' + QString::number(e.viewSelection()) + u'#' +
                     e.get<QLineEdit>("Text1")->text(),
                 after);
    }

    // Reached with Tab and no row selected, the list selects its current row for its keys.
    void tabIntoTheListSelectsARow() {
        Editor e;
        e.click("Command4");
        e.click("Command4");
        QApplication::setActiveWindow(e.window);
        QVERIFY(QTest::qWaitForWindowActive(e.window));
        auto* view = e.get<QTreeView>("ListView1");
        view->setFocus(Qt::TabFocusReason);
        QCOMPARE(e.viewSelection(), 1);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(e.rows().size(), 1);
    }

    // A row dragged onto another takes its place in one command, selected; a row added far
    // down, or added again by "Rétablir", is scrolled into view.
    void dragAndScroll() {
        Editor e;
        for (int i = 1; i <= 60; ++i) {
            e.type("Text1", QString::number(i));
            QTest::keyClick(e.get<QLineEdit>("Text1"), Qt::Key_Return);
        }
        auto* view = e.get<QTreeView>("ListView1");
        const auto lastRowShown = [view] {
            return view->viewport()->rect().contains(view->visualRect(view->model()->index(59, 0)));
        };
        QVERIFY(lastRowShown());
        e.trigger("Undo");  // the 60th row goes; done again, it is brought back into view
        view->scrollToTop();
        e.trigger("Redo");
        QVERIFY(lastRowShown());
        view->scrollToTop();
        const auto at = [view](int row) {
            return view->visualRect(view->model()->index(row, 1)).center();
        };
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(0));
        QTest::mouseMove(view->viewport(), at(3));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(3));
        QCOMPARE(e.window->list().row(4).cell(0), u"1");
        QCOMPARE(e.window->list().row(1).cell(0), u"2");
        QCOMPARE(e.viewSelection(), 4);
        e.trigger("Undo");
        QCOMPARE(e.window->list().row(1).cell(0), u"1");
        QCOMPARE(e.window->list().row(4).cell(0), u"4");
    }

    // The picker finds names whatever the accents and case, says when a typed name names
    // nothing (and Ajouter why it added nothing), and a click outside its pop-up lands.
    void pickerAnswers() {
        Editor e;
        QApplication::setActiveWindow(e.window);
        QVERIFY(QTest::qWaitForWindowActive(e.window));
        auto* combo = e.get<QComboBox>("Combo1");
        QWidget* popup = combo->completer()->popup();
        auto* hint = e.get<QLabel>("PickerHint");
        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), u"ENTREPO"_qs);
        QVERIFY(popup->isVisible());
        QCOMPARE(combo->completer()->completionModel()->rowCount(), 1);
        QCOMPARE(combo->completer()->completionModel()->index(0, 0).data().toString(),
                 u"Entrepôt"_qs);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(e.window->input().picker.listIndex(), 3);
        QVERIFY(hint->text().isEmpty());

        QTest::keyClicks(combo->lineEdit(), u"x"_qs);
        QCOMPARE(hint->text(), u"Aucun bâtiment de ce nom"_qs);
        e.click("Command4");
        QVERIFY(e.rows().isEmpty() && e.messages().empty());
        QVERIFY(e.window->statusBar()->currentMessage().contains(u"« Entrepôtx »"_qs));

        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), u"e"_qs);
        QVERIFY(popup->isVisible());
        auto* field = e.get<QLineEdit>("Text2");
        const QPoint aim = popup->mapFromGlobal(field->mapToGlobal(field->rect().center()));
        QTest::mouseClick(popup, Qt::LeftButton, {}, aim);
        QVERIFY(!popup->isVisible());
        QCOMPARE(QApplication::focusWidget(), field);

        // A typed name is what the row is added from.
        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), u"Temple"_qs);
        popup->hide();
        e.click("Command4");
        QCOMPARE(e.rows(), QStringList{u"Temple|0|0|0|0|0|0|5n"_qs});
    }

    // The map beside the list: shown from the Afficher menu and remembered, one selection with
    // the list, markers dragged and moved by the arrow keys as undoable commands, rows off the map.
    void mapFollowsAndMovesTheList() {
        Editor e;
        auto* map = e.get<MapView>("MapView");
        QVERIFY(!map->isVisible());
        const int narrow = e.window->width();
        e.trigger("ShowMap");
        QVERIFY(map->isVisible());
        // The window grows for the map, but never past the screen.
        const QRect room = e.window->screen()->availableGeometry();
        QVERIFY(e.window->width() <= std::max(narrow, room.width()));
        QVERIFY(room.contains(e.window->frameGeometry().topRight()) || e.window->x() == room.x());
        QCOMPARE(e.platform.store.values[u"QRNPlg/Window/ShowMap"], u"1");
        // Hidden, the map gives its room back exactly; the picker never stretched with it.
        QVERIFY(e.get<QComboBox>("Combo1")->width() <= 480);
        e.trigger("ShowMap");
        QCOMPARE(e.window->width(), narrow);
        e.trigger("ShowMap");
        for (const auto& [x, y] : {std::pair{"0", "0"}, {"5", "2"}, {"abc", "1"}}) {
            e.type("Text1", QString::fromLatin1(x));
            e.type("Text2", QString::fromLatin1(y));
            e.click("Command4");
        }
        QCOMPARE(e.get<QPushButton>("MapNotDrawn")->text(), u"1 non dessinable"_qs);
        QCoreApplication::processEvents();
        e.click("MapFitAll");
        const auto xyOfRow2 = [&e] { return e.rows().at(1).section(u'|', 1, 2); };

        // A click on a marker selects its row in the list; a row selected in the list
        // brings its marker back into sight.
        QTest::mouseClick(map, Qt::LeftButton, {}, map->toWidget(5.5, 2.5).toPoint());
        QCOMPARE(e.viewSelection(), 2);
        QTest::mousePress(map, Qt::LeftButton, {}, QPoint(5, map->height() - 5));  // ground: pans
        QTest::mouseMove(map, QPoint(map->width() - 5, 5));
        QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(map->width() - 5, 5));
        QVERIFY(!map->rect().contains(map->toWidget(0.5, 0.5).toPoint()));
        e.clickRow(1);
        QCOMPARE(e.window->list().selected(), 1);
        QCOMPARE(map->toWidget(0.5, 0.5), QPointF(map->width() / 2.0, map->height() / 2.0));

        // Dragging row 2 three tiles east and one south, then undoing it.
        e.click("MapFitAll");
        QTest::mousePress(map, Qt::LeftButton, {}, map->toWidget(5.5, 2.5).toPoint());
        QTest::mouseMove(map, map->toWidget(7.2, 1.9).toPoint());
        QTest::mouseRelease(map, Qt::LeftButton, {}, map->toWidget(8.6, 1.4).toPoint());
        QCOMPARE(e.viewSelection(), 2);
        QCOMPARE(xyOfRow2(), u"8|1"_qs);
        e.trigger("Undo");
        QCOMPARE(xyOfRow2(), u"5|2"_qs);

        // Two presses on one row are one command.
        QTest::keyClick(map, Qt::Key_Right);
        QTest::keyClick(map, Qt::Key_Up);
        QCOMPARE(xyOfRow2(), u"6|3"_qs);
        e.trigger("Undo");
        QCOMPARE(xyOfRow2(), u"5|2"_qs);
        QCOMPARE(e.rows().size(), 3);

        // "Fichier > Exporter l'image de la carte..." writes the whole plan's picture.
        e.platform.recorder.answers.push_back(u16(e.path(u"plan.png"_qs)));
        e.trigger("ExportMapImage");
        QVERIFY(!QImage(e.path(u"plan.png"_qs)).isNull());

        // The choice holds for the next window.
        QRN second(e.platform, e.state);
        QVERIFY(second.findChild<QAction*>(QStringLiteral("ShowMap"))->isChecked());
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnWindow)
#include "test_qrn_window.moc"
