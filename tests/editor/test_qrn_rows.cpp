// Several rows at once in the window: the selection through the list's and the map's keys and
// mouse, the commands on it, the clipboard's keys and "Rechercher".

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>

#include "document/plan_document.h"
#include "editor/map_view.h"
#include "editor/row_mime_data.h"
#include "tests/editor/test_qrn_fixture.h"

using namespace Qt::StringLiterals;

namespace qrn::test {

namespace {

// Rows 1 to 6: Hutte, Maison, Temple, Hutte, Maison, Temple, on tiles (p, p) for row p.
void sixRows(Editor& e) {
    static const char16_t* const kNames[] = {u"Hutte", u"Maison", u"Temple"};
    PlacementList::Rows rows;
    for (int p = 1; p <= 6; ++p) {
        const std::u16string at = QString::number(p).toStdU16String();
        rows.emplace_back(kNames[(p - 1) % 3],
                          std::array<std::u16string_view, 6>{at, at, u"0", u"0", u"0", u"0"},
                          CatalogueIndex::number(std::int16_t(p)));
    }
    e.window->document().reset(std::move(rows), u"");
}

// The rows by their X, "1 2 3".
QString xs(const Editor& e) {
    QStringList out;
    for (const PlacementRow& row : e.window->list().rows())
        out << QString::fromUtf16(row.cell(0).data(), qsizetype(row.cell(0).size()));
    return out.join(u' ');
}

QString runs(const PlacementList& list) {
    QStringList out;
    const PlacementList::Selection s = list.selection();
    for (const auto& [first, last] : s.runs) out << u"%1-%2"_s.arg(first).arg(last);
    return out.join(u' ') + u'@' + QString::number(s.current.value_or(0));
}

QTreeView* focusList(Editor& e) {
    QApplication::setActiveWindow(e.window);
    auto* view = e.get<QTreeView>("ListView1");
    view->setFocus();
    return view;
}

}  // namespace

class TestQrnRows : public QObject {
    Q_OBJECT

private slots:
    // Shift, Ctrl and Ctrl+A select in the list; the list's selection shows in the view.
    void listSelection() {
        Editor e;
        sixRows(e);
        QTreeView* view = focusList(e);
        const auto click = [&](int position, Qt::KeyboardModifiers keys) {
            const QRect rect = view->visualRect(view->model()->index(position - 1, 1));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, keys, rect.center());
        };
        click(2, {});
        click(4, Qt::ShiftModifier);
        QCOMPARE(runs(e.window->list()), u"2-4@4"_s);
        click(6, Qt::ControlModifier);
        QCOMPARE(runs(e.window->list()), u"2-4 6-6@6"_s);
        click(1, {});
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(runs(e.window->list()), u"1-2@2"_s);
        QTest::keySequence(view, QKeySequence::SelectAll);
        QCOMPARE(e.window->list().selectionCount(), 6);
        e.window->document().list().setSelection({{{1, 1}, {3, 5}}, 4});
        QCOMPARE(view->selectionModel()->selectedRows().size(), 4);
        QCOMPARE(view->currentIndex().row(), 3);
    }

    // Supprimer, /\ and dragging act on the whole selection, each one undoable step.
    void commandsOnSelection() {
        Editor e;
        sixRows(e);
        PlacementList& list = e.window->document().list();
        list.setSelection({{{2, 3}}, 2});
        e.click("Command2");
        QCOMPARE(xs(e), u"2 3 1 4 5 6"_s);
        QCOMPARE(runs(list), u"1-2@1"_s);
        e.click("Command1");
        QCOMPARE(xs(e), u"1 4 5 6"_s);
        e.trigger("Undo");
        e.trigger("Undo");
        QCOMPARE(xs(e), u"1 2 3 4 5 6"_s);
        // Rows 1 and 2 dragged by row 2 onto row 5: row 2 lands there, row 1 above it.
        list.setSelection({{{1, 2}}, 1});
        auto* view = e.get<QTreeView>("ListView1");
        const auto at = [view](int position) {
            return view->visualRect(view->model()->index(position - 1, 1)).center();
        };
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(2));
        QTest::mouseMove(view->viewport(), at(5));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(5));
        QCOMPARE(xs(e), u"3 4 5 1 2 6"_s);
        QCOMPARE(list.selectionCount(), 2);
        QVERIFY(list.isSelected(4) && list.isSelected(5));
        e.trigger("Undo");
        QCOMPARE(xs(e), u"1 2 3 4 5 6"_s);
    }

    // Ctrl+C, X, V and D on the list's rows; in a line edit Ctrl+C stays the text's copy; a
    // clipboard that does not read pastes nothing and says which line.
    void clipboardKeys() {
        Editor e;
        sixRows(e);
        PlacementList& list = e.window->document().list();
        QTreeView* view = focusList(e);
        list.setSelection({{{2, 3}}, 2});
        QTest::keySequence(view, QKeySequence::Copy);
        QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(kExactRowsType));
        list.select(5);
        QTest::keySequence(view, QKeySequence::Paste);
        QCOMPARE(xs(e), u"1 2 3 4 5 2 3 6"_s);
        QCOMPARE(runs(list), u"6-7@6"_s);
        QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(xs(e), u"1 2 3 4 5 2 3 2 3 6"_s);
        QTest::keySequence(view, QKeySequence::Cut);
        QCOMPARE(xs(e), u"1 2 3 4 5 2 3 6"_s);
        e.trigger("Undo");
        e.trigger("Undo");
        e.trigger("Undo");
        QCOMPARE(xs(e), u"1 2 3 4 5 6"_s);

        auto* field = e.get<QLineEdit>("Text1");
        field->setFocus();
        field->setText(u"42"_s);
        field->selectAll();
        QTest::keySequence(field, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), u"42"_s);
        QVERIFY(!QApplication::clipboard()->mimeData()->hasFormat(kExactRowsType));

        QApplication::clipboard()->setText(u"Hutte\t1\t1\t0\t0\t0\t0\nMaison\tdeux\n"_s);
        view->setFocus();
        QTest::keySequence(view, QKeySequence::Paste);
        QCOMPARE(xs(e), u"1 2 3 4 5 6"_s);
        QCOMPARE(e.messages().size(), std::size_t(1));
        QVERIFY2(QString::fromStdU16String(e.messages()[0]).contains(u"2"_s),
                 qPrintable(QString::fromStdU16String(e.messages()[0])));
    }

    // Ctrl+F, the count, Enter and F3 forward, Shift+F3 back, Escape closes: the list has the
    // focus back with the found row, and Delete removes it.
    void find() {
        Editor e;
        sixRows(e);
        focusList(e);
        e.trigger("FindRows");
        auto* field = e.get<QLineEdit>("FindText");
        QVERIFY(field->isVisible());
        typeInto(field, u"MAISON"_s);
        QCOMPARE(e.get<QLabel>("FindCount")->text(), u"2 résultats"_s);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(e.window->list().selected(), 2);
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(e.window->list().selected(), 5);
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(e.window->list().selected(), 2);
        QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(e.window->list().selected(), 5);
        QCOMPARE(e.viewSelection(), 5);
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible());
        QCOMPARE(QApplication::focusWidget(), e.get<QWidget>("ListView1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(e.rows().size(), 5);
        QVERIFY(!e.rows().at(4).startsWith(u"Maison"_s));
    }

    // On the map: a rubber band and Ctrl+click select; the arrows and a drag move every selected
    // placement, one step each.
    void mapSelection() {
        Editor e;
        sixRows(e);
        e.trigger("ShowMap");
        auto* map = e.get<MapView>("MapView");
        map->setView(3.5, 3.5, 40);
        const auto at = [map](double x, double y) { return map->toWidget(x, y).toPoint(); };
        PlacementList& list = e.window->document().list();
        QTest::mousePress(map, Qt::LeftButton, Qt::ShiftModifier, at(2.1, 2.1));
        QTest::mouseMove(map, at(3.5, 3.8));
        QTest::mouseRelease(map, Qt::LeftButton, Qt::ShiftModifier, at(4.1, 4.1));
        QCOMPARE(runs(list), u"2-4@2"_s);
        QCOMPARE(e.get<QTreeView>("ListView1")->selectionModel()->selectedRows().size(), 3);
        QTest::mouseClick(map, Qt::LeftButton, Qt::ControlModifier, at(3.5, 3.5));
        QTest::mouseClick(map, Qt::LeftButton, Qt::ControlModifier, at(6.5, 6.5));
        QCOMPARE(runs(list), u"2-2 4-4 6-6@6"_s);
        QTest::keyClick(map, Qt::Key_Right);
        QTest::keyClick(map, Qt::Key_Right);
        QCOMPARE(xs(e), u"1 4 3 6 5 8"_s);
        e.trigger("Undo");
        QCOMPARE(xs(e), u"1 2 3 4 5 6"_s);
        QTest::mousePress(map, Qt::LeftButton, {}, at(2.5, 2.5));
        QTest::mouseMove(map, at(3.5, 2.5));
        QTest::mouseRelease(map, Qt::LeftButton, {}, at(3.5, 2.5));
        QCOMPARE(xs(e), u"1 3 3 5 5 7"_s);
        QCOMPARE(list.selectionCount(), 3);
        e.trigger("Undo");
        QCOMPARE(xs(e), u"1 2 3 4 5 6"_s);
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnRows)
#include "test_qrn_rows.moc"
