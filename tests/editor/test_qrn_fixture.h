#pragma once

// One editor window over the stand-in platform, its plug-in folder a fresh temporary folder
// holding the test catalogue, and short ways to work its controls.

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "editor/module_state.h"
#include "editor/qrn.h"
#include "tests/support/stand_in_platform.h"

namespace qrn::test {

// The catalogue of these tests: 0 "(aucun)", 1 Hutte (Stone), 2 Grenier and 3 Entrepôt (Tool),
// 4 Maison (Bronze, listed "L"), 5 Temple (Iron); each id's tail is 100 + its index.
inline QByteArray testCatalogue() {
    return readAll(QStringLiteral(QRN_TEST_DATA_DIR "/plugin_catalogue.txt"));
}

// Two plan lines of the test catalogue.
inline const QByteArray kHutte =
    "12        7         0         3         0         3         Hutte          101\r\n";
inline const QByteArray kTemple =
    "40        25        2         0         1         0         Temple         105\r\n";

inline QStringList rowsOf(const PlacementList& list) {
    QStringList rows;
    for (int p = 1; p <= list.count(); ++p) {
        const PlacementRow& row = list.row(p);
        QStringList parts{QString::fromStdU16String(row.building())};
        for (int c = 0; c < kCellCount; ++c)
            parts << QString::fromUtf16(row.cell(c).data(), qsizetype(row.cell(c).size()));
        parts << QString::fromStdU16String(row.index().toText()) +
                     (row.index().isText() ? u't' : u'n');
        rows << parts.join(u'|');
    }
    return rows;
}

// Types text into a widget key by key; unlike QTest::keyClicks, any character.
inline void typeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

struct Editor {
    QTemporaryDir dir;
    TestPlatform platform;
    ModuleState state;
    QPointer<QRN> window;

    explicit Editor(const QByteArray& catalogue = testCatalogue()) {
        platform.application.path = u16(dir.path());
        state.recoveryFolder = path(QStringLiteral("recovery"));
        if (!catalogue.isNull()) writeBytes(path(QStringLiteral("QRN.txt")), catalogue);
        window = new QRN(platform, state);
        window->show();
    }
    ~Editor() { delete window; }

    QString path(const QString& name) const { return dir.filePath(name); }
    template <class W>
    W* get(const char* name) const {
        return child<W>(window, name);
    }
    QStringList rows() const { return rowsOf(window->list()); }
    std::vector<std::u16string>& messages() { return platform.recorder.messages; }
    std::deque<std::u16string>& answers() { return platform.recorder.answers; }

    void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    void trigger(const char* action) { get<QAction>(action)->trigger(); }
    void type(const char* field, const QString& text) {
        auto* edit = get<QLineEdit>(field);
        edit->clear();
        typeInto(edit, text);
    }
    // Clicks the row at a list position (from 1) in ListView1.
    void clickRow(int position) {
        auto* view = get<QTreeView>("ListView1");
        const QRect rect = view->visualRect(view->model()->index(position - 1, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // The selected row of ListView1, from 1; 0 for none.
    int viewSelection() const {
        const QModelIndexList rows = get<QTreeView>("ListView1")->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() + 1 : 0;
    }
};

}  // namespace qrn::test
