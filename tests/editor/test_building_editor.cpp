// The building cell editor through the keyboard, as the list view drives it.

#include <QApplication>
#include <QListView>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

#include "core/input_area.h"
#include "editor/building_editor.h"
#include "editor/picker_model.h"
#include "editor/placement_table_model.h"

namespace qrn::test {

class TestBuildingEditor : public QObject {
    Q_OBJECT
private:
    Picker picker;
    PickerModel entries{picker};
    QStandardItemModel rows{1, 1};
    QTreeView view;

    // The row's building cell as the delegate leaves it: the chosen picker position, or the
    // row's own name when nothing was committed.
    QVariant cell() const { return rows.index(0, 0).data(Qt::EditRole); }
    // Starts an edit of the cell by typing first, then types the rest into the editor.
    BuildingEditor* type(const QString& text) {
        rows.setData(rows.index(0, 0), QStringLiteral("Hutte"), Qt::EditRole);
        rows.setData(rows.index(0, 0), 0, PlacementTableModel::kCatalogueIndexRole);
        view.setCurrentIndex(rows.index(0, 0));
        view.setFocus();
        QTest::keyClick(&view, text.at(0).toLatin1());
        auto* editor = qobject_cast<BuildingEditor*>(QApplication::focusWidget());
        if (editor) QTest::keyClicks(editor, text.mid(1));
        return editor;
    }

private slots:
    void initTestCase() {
        for (auto [name, index] : {std::pair{u"Hutte", 0},
                                   {u"Atelier du potier", 3},
                                   {u"Entrepôt", 5},
                                   {u"Maison", 6},
                                   {u"Marché", 7}})
            picker.add(name, index);
        view.setModel(&rows);
        view.setEditTriggers(QAbstractItemView::AnyKeyPressed);
        view.setItemDelegateForColumn(0, new BuildingDelegate(picker, &entries, &view));
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }

    // Typing narrows the list, case and accents aside, and Enter takes the name typed.
    void typingNarrowsAndEnterTakesTheNamedEntry() {
        BuildingEditor* editor = type(QStringLiteral("mai"));
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("mai"));
        QCOMPARE(editor->list()->model()->rowCount(), 1);
        QVERIFY(editor->list()->isVisible());
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(), QVariant(3));  // the delegate commits Enter queued

        editor = type(QStringLiteral("MARCHE"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(), QVariant(4));
    }

    // Arrows move the highlight and change nothing until Enter; Escape drops the edit.
    void arrowsMoveWithoutCommittingAndEscapeDrops() {
        BuildingEditor* editor = type(QStringLiteral("e"));
        QVERIFY(editor);
        QCOMPARE(editor->list()->model()->rowCount(), 4);  // all but "Maison"
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(cell(), QVariant(QStringLiteral("Hutte")));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTest::qWait(20);
        QCOMPARE(cell(), QVariant(QStringLiteral("Hutte")));
        QVERIFY(!view.indexWidget(rows.index(0, 0)));

        editor = type(QStringLiteral("e"));
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(), QVariant(1));  // the second entry holding "e"
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestBuildingEditor)
#include "test_building_editor.moc"
