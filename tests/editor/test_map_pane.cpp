// The map pane through its widgets: the tools and their keys, placing with its preview, the
// live drag with Escape and its one step, the tool tip, the legend beside the selection, the
// view fitted to a new plan, the counts of rows the map cannot show, and the exported picture.

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "core/catalogue.h"
#include "core/input_area.h"
#include "document/plan_document.h"
#include "editor/map_pane.h"
#include "mapdraw/map_painter.h"
#include "tests/support/catalogue_text.h"
#include "tests/support/stand_in_platform.h"

namespace qrn::test {

namespace {

PlacementRow placement(const char16_t* name, int index, std::u16string x, std::u16string y,
                       std::u16string offset = u"0") {
    return PlacementRow(name, {x, y, offset, offset, offset, offset},
                        CatalogueIndex::number(std::int16_t(index)));
}

}  // namespace

class TestMapPane : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    TestPlatform platform;
    Catalogue catalogue;
    PlanDocument document;
    InputArea input;
    std::unique_ptr<MapPane> pane;
    MapView* view = nullptr;

    QPoint at(double x, double y) const { return view->toWidget(x, y).toPoint(); }
    QRgb pixel(double x, double y) const { return view->grab().toImage().pixel(at(x, y)); }
    static bool reddish(QRgb c) { return qRed(c) > qGreen(c) + 60; }
    QString xs() const {
        QString x;
        for (int p = 1; p <= document.list().count(); ++p)
            x += QString::fromStdU16String(std::u16string(document.list().row(p).cell(Column::X))) +
                 u' ';
        return x.trimmed();
    }

private slots:
    void init() {
        // 1 Hutte (Stone), 2 Grenier (Tool), 4 Maison (Bronze), 5 Temple (Iron).
        catalogue.assign({record(u"0", u"99"), record(u"1", u"15"), record(u"2", u"14"),
                          record(u"3", u"14"), record(u"4", u"12"), record(u"5", u"8")});
        platform.store.values = {{u"QRNPlg/Map/Width", u"6"}, {u"QRNPlg/Map/Height", u"6"}};
        // Hutte's region 1..3 meets Maison and Temple, which share tile (3, 3); Grenier lies
        // outside the 6 x 6 map; two rows have no whole X.
        document.reset(
            {placement(u"Hutte", 1, u"2", u"2", u"1"), placement(u"Grenier", 2, u"8", u"2"),
             placement(u"Puits", 2, u"abc", u"0"), placement(u"Maison", 4, u"3", u"3"),
             placement(u"Temple", 5, u"3", u"3"), placement(u"Tour", 2, u"x", u"1")},
            u"plan.qrn");
        input = InputArea{};
        input.picker.add(u"Temple", 5);
        input.picker.select(0);
        input.fields = {u"0", u"0", u"1", u"0", u"0", u"0"};
        pane = std::make_unique<MapPane>(document, catalogue, input, platform);
        pane->resize(640, 520);
        pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(pane.get()));
        view = pane->view();
        view->setView(5, 3, 32);
    }
    void cleanup() { pane.reset(); }

    // "P" takes the placing tool: the building's region follows the pointer with the overlap it
    // would make, and a click adds the row there as one "Placer" step, selected. "S" goes back.
    void placeShowsThePreviewAndAddsOneStep() {
        QTest::keyClick(view, Qt::Key_P);
        QCOMPARE(view->tool(), MapView::Tool::Place);
        QTest::mouseMove(view, at(2.5, 3.5));
        QCOMPARE(pixel(2.5, 3.5), mapdraw::ageColour(MapAge::Iron).rgb());
        QVERIFY(reddish(pixel(2.05, 3.95)));  // the preview meets Hutte's region on (2, 3)
        QVERIFY(!reddish(pixel(2.05, 4.95)));
        QCOMPARE(document.list().count(), 6);  // nothing added by looking
        QTest::mouseClick(view, Qt::LeftButton, {}, at(2.5, 3.5));
        QCOMPARE(xs(), u"2 8 abc 3 3 x 2"_qs);
        QCOMPARE(document.list().row(7).cell(Column::Y), u"3");
        QCOMPARE(document.undoStack()->undoText(), u"Placer"_qs);
        QCOMPARE(document.list().selected(), 7);
        QTest::keyClick(view, Qt::Key_S);
        QCOMPARE(view->tool(), MapView::Tool::Select);
    }

    // The dragged placement is drawn where it would go, with its overlaps, while the list stays;
    // Escape puts it back; a release is one move, and the next drag of that row another.
    void dragFollowsLiveEscapeCancelsReleaseMovesOnce() {
        QTest::mousePress(view, Qt::LeftButton, {}, at(8.5, 2.5));
        QTest::mouseMove(view, at(4.5, 2.5));
        QCOMPARE(pixel(4.5, 2.5), mapdraw::ageColour(MapAge::Tool).rgb());
        QVERIFY(pixel(8.5, 2.5) != mapdraw::ageColour(MapAge::Tool).rgb());
        QTest::mouseMove(view, at(3.5, 2.5));  // tile by tile: now onto Hutte's region
        QVERIFY(reddish(pixel(3.05, 2.95)));
        QCOMPARE(xs(), u"2 8 abc 3 3 x"_qs);
        QTest::keyClick(view, Qt::Key_Escape);
        QCOMPARE(pixel(8.5, 2.5), mapdraw::ageColour(MapAge::Tool).rgb());
        QTest::mouseRelease(view, Qt::LeftButton, {}, at(3.5, 2.5));
        QCOMPARE(document.undoStack()->count(), 0);

        for (const auto& [from, to] : {std::pair{8.5, 5.5}, std::pair{5.5, 6.5}}) {
            QTest::mousePress(view, Qt::LeftButton, {}, at(from, 2.5));
            QTest::mouseMove(view, at(to, 2.5));
            QTest::mouseRelease(view, Qt::LeftButton, {}, at(to, 2.5));
        }
        QCOMPARE(xs(), u"2 6 abc 3 3 x"_qs);
        QCOMPARE(document.undoStack()->count(), 2);
        QCOMPARE(document.undoStack()->undoText(), u"Déplacer sur la carte"_qs);
        // The plan's last row too is drawn where it would go.
        document.reset({placement(u"Hutte", 1, u"2", u"2"), placement(u"Temple", 5, u"3", u"3")},
                       u"plan.qrn");
        view->setView(5, 3, 32);
        QTest::mousePress(view, Qt::LeftButton, {}, at(3.5, 3.5));
        QTest::mouseMove(view, at(5.5, 4.5));
        QCOMPARE(pixel(5.5, 4.5), mapdraw::ageColour(MapAge::Iron).rgb());
        QTest::keyClick(view, Qt::Key_Escape);
    }

    void tooltipLegendAndFit() {
        QCOMPARE(view->toolTipAt(at(3.5, 3.5)),
                 u"Ligne 5 : Temple\nX 3, Y 3, N 0, S 0, E 0, O 0\nChevauche les lignes 1, 4"_qs);
        QCOMPARE(view->toolTipAt(at(4.5, 5.5)), QString());

        // The open legend leaves the corner where the selected placement is.
        auto* legend = pane->findChild<QToolButton*>(QStringLiteral("MapLegend"));
        legend->setChecked(true);
        view->setView(2.5 - 6, 2.5 - 4, 32);  // Hutte near the top right corner
        document.list().select(1);
        QVERIFY(legend->x() < view->width() / 2);
        document.list().select(2);
        QVERIFY(legend->x() > view->width() / 2);

        // Another plan is seen whole, with the map's edge.
        view->setView(5000, 5000, 2);
        document.reset({placement(u"Hutte", 1, u"-40", u"70")}, u"other.qrn");
        QVERIFY(view->rect().contains(at(-39.5, 70.5)));
        QVERIFY(view->rect().contains(at(5.5, 0.5)));
        QVERIFY(view->scale() > 4);
    }

    // Clicking a count selects the first of its rows, "suivant" the next ones in turn.
    void countsSelectTheRowsTheMapCannotShow() {
        auto* outside = pane->findChild<QPushButton*>(QStringLiteral("MapOutside"));
        auto* notDrawn = pane->findChild<QPushButton*>(QStringLiteral("MapNotDrawn"));
        auto* next = pane->findChild<QPushButton*>(QStringLiteral("MapNext"));
        QCOMPARE(outside->text(), u"1 hors des limites"_qs);
        QCOMPARE(notDrawn->text(), u"2 non dessinables"_qs);
        outside->click();
        QCOMPARE(document.list().selected(), 2);
        QVERIFY(next->isHidden());
        notDrawn->click();
        QCOMPARE(document.list().selected(), 3);
        next->click();
        QCOMPARE(document.list().selected(), 6);
        next->click();
        QCOMPARE(document.list().selected(), 3);

        platform.store.values.clear();  // no size: nothing lies outside
        pane->reloadSettings();
        QVERIFY(outside->isHidden());
    }

    // The picture goes where the save dialog says; a file that cannot be written is said.
    void exportWritesThePictureOrSaysWhy() {
        const QString png = dir.filePath(QStringLiteral("carte.png"));
        platform.recorder.answers = {png.toStdU16String(), u"/nonexistent/carte.svg", u""};
        pane->exportImage(true);
        QCOMPARE(QImage(png).width(), 2000);
        pane->exportImage(false);
        QCOMPARE(platform.recorder.messages.size(), 1u);
        QVERIFY(QString::fromStdU16String(platform.recorder.messages[0])
                    .startsWith(u"L'image de la carte n'a pas pu être écrite.\r\n"_qs));
        pane->exportImage(true);  // cancelled: nothing
        QCOMPARE(platform.recorder.messages.size(), 1u);
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestMapPane)
#include "test_map_pane.moc"
