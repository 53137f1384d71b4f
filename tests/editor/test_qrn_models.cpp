// The model adapters of ListView1 and Combo1, checked by Qt's model tester while the core
// list changes under them.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "editor/placement_table_model.h"
#include "tests/editor/test_qrn_fixture.h"

namespace qrn::test {

namespace {

PlacementRow row(const char16_t* building, const char16_t* x, std::int16_t index = 1) {
    return PlacementRow(building, {x, u"2", u"3", u"4", u"5", u"6"}, CatalogueIndex::number(index));
}

QStringList shown(const QAbstractItemModel& model) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c) cells << model.index(r, c).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

}  // namespace

class TestQrnModels : public QObject {
    Q_OBJECT
private slots:
    void tableFollowsEveryChange() {
        PlacementList list;
        PlacementTableModel model(list);
        auto tester = std::make_unique<QAbstractItemModelTester>(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
        QSignalSpy selection(&model, &PlacementTableModel::listSelectionChanged);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        list.append(row(u"P", u"1"));
        list.append(row(u"Q", u"10"));
        list.append(row(u"R", u"100"));
        list.select(2);
        list.insert(1, row(u"Bâtiment é", u""));
        list.swapWithNext(3);  // Q and R exchange places; Q stays selected
        list.replace(2, row(u"P", u"1"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
        QCOMPARE(shown(model), (QStringList{u"Bâtiment é||2|3|4|5|6"_qs, u"P|1|2|3|4|5|6"_qs,
                                            u"R|100|2|3|4|5|6"_qs, u"Q|10|2|3|4|5|6"_qs}));
        QCOMPARE(moved.size(), 1);
        // A block moves in one call; the view's indexes follow their rows.
        const QPersistentModelIndex first = model.index(0, 0);
        list.moveRows(1, 2, 3);
        QCOMPARE(first.row(), 2);
        QCOMPARE(shown(model).at(2), u"Bâtiment é||2|3|4|5|6"_qs);
        list.moveRows(3, 2, 1);
        QCOMPARE(first.row(), 0);
        QCOMPARE(moved.size(), 3);
        list.insertRows(3, {row(u"S", u"5"), row(u"T", u"6")});
        list.removeRows(3, 2);
        list.remove(4);
        QCOMPARE(selection.size(), 6);  // select, swap, two moves, two removes above or on it
        list.clear();
        QCOMPARE(model.rowCount(), 0);

        // A whole plan comes in as one reset, whatever its size: no work per row.
        tester.reset();  // it would walk every row
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        PlacementList::Rows rows(100000, row(u"Hutte", u"7"));
        rows.back() = row(u"Temple", u"9");
        list.assign(std::move(rows));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserts.size(), 0);
        QCOMPARE(model.index(99999, 0).data().toString(), u"Temple"_qs);
        QSignalSpy removes(&model, &QAbstractItemModel::rowsRemoved);
        list.removeRows(2, 99999);
        QCOMPARE(removes.size(), 1);
        QCOMPARE(model.rowCount(), 1);

        QStringList headers;
        for (int c = 0; c < model.columnCount(); ++c)
            headers << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{u"Bâtiment"_qs, u"X"_qs, u"Y"_qs, u"Décalage N"_qs,
                                       u"Décalage S"_qs, u"Décalage E"_qs, u"Décalage O"_qs}));
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestQrnModels)
#include "test_qrn_models.moc"
