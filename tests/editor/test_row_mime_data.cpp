// Copied rows on a real (offscreen) clipboard, and what a paste takes from other programs.

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "core/catalogue.h"
#include "editor/row_mime_data.h"
#include "planfile/row_text_forms.h"

namespace qrn::test {

class TestRowMimeData : public QObject {
    Q_OBJECT
private slots:
    void rowsGoAndComeBackInEveryForm() {
        Catalogue catalogue;
        catalogue.assign({{u"-", u"Alpha", u"101", u"", u"15", u"", u"Hutte"}});
        const PlacementList::Rows rows{
            PlacementRow(u"Hutte", {u"1", u"2", u"3", u"4", u"5", u"6"}, CatalogueIndex::text(0)),
            PlacementRow(u"Hutte", {u"Ω line\nbreak, far too long", u"", u"", u"", u"", u""},
                         CatalogueIndex::number(0)),
        };
        QClipboard& clipboard = *QGuiApplication::clipboard();
        copyRows(clipboard, rows, catalogue);
        const QMimeData& copied = *clipboard.mimeData();
        QCOMPARE(copied.text().toStdU16String(), copiedPlanLines(rows, catalogue));
        QCOMPARE(QString::fromUtf8(copied.data(kTabSeparatedType)).toStdU16String(),
                 copiedTabSeparated(rows));
        QVERIFY(pastedRows(copied, catalogue) == rows);

        // From a spreadsheet: tab-separated text only.
        QMimeData sheet;
        sheet.setText(u"hutte\t7\t8\t0\t0\t0\t0\n"_qs);
        const PlacementList::Rows fromSheet = pastedRows(sheet, catalogue);
        QCOMPARE(fromSheet.size(), 1u);
        QVERIFY(fromSheet[0].building() == u"Hutte");
        QVERIFY(pastedRows(QMimeData(), catalogue).empty());
    }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestRowMimeData)
#include "test_row_mime_data.moc"
