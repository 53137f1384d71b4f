// The map beside the list: shown from the Afficher menu and remembered, one selection with the
// list, markers dragged and moved by the arrow keys as undoable commands, rows off the map.

#include <QLabel>
#include <QScreen>

#include "plugin/map_view.h"
#include "tests/plugin/test_qrn_fixture.h"

namespace qrn::test {

class TestQrnMap : public QObject {
    Q_OBJECT
private slots:
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
        for (const auto& [x, y] : {std::pair{"0", "0"}, {"5", "2"}, {"abc", "1"}}) {
            e.type("Text1", QString::fromLatin1(x));
            e.type("Text2", QString::fromLatin1(y));
            e.click("Command4");
        }
        QCOMPARE(e.get<QLabel>("MapOffMap")->text(), u"1 ligne hors carte"_qs);
        QCoreApplication::processEvents();
        e.click("MapFitAll");
        const auto cell = [&e](int position, Column c) {
            return QString::fromStdU16String(
                std::u16string(e.window->list().row(position).cell(c)));
        };

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
        QCOMPARE(cell(2, Column::X) + cell(2, Column::Y), u"81"_qs);
        e.trigger("Undo");
        QCOMPARE(cell(2, Column::X) + cell(2, Column::Y), u"52"_qs);

        // Two presses on one row are one command.
        QTest::keyClick(map, Qt::Key_Right);
        QTest::keyClick(map, Qt::Key_Up);
        QCOMPARE(cell(2, Column::X) + u' ' + cell(2, Column::Y), u"6 3"_qs);
        e.trigger("Undo");
        QCOMPARE(cell(2, Column::X) + u' ' + cell(2, Column::Y), u"5 2"_qs);
        QCOMPARE(e.rows().size(), 3);

        // The choice holds for the next window.
        QRN second(e.platform, e.state);
        QVERIFY(second.findChild<QAction*>(QStringLiteral("ShowMap"))->isChecked());
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnMap)
#include "test_qrn_map.moc"
