#pragma once

#include <QPoint>
#include <QTreeView>
#include <optional>

#include "core/placement_list.h"

class QAction;

namespace qrn {

class PlacementTableModel;

// ListView1: the placement list as a table, one row a placement. Left and Right go from cell
// to cell of the current row (the one F2 or typing edits). A cell edits as in a spreadsheet:
// Tab and Shift+Tab keep the edit and go on to the next or previous cell of the row, wrapping
// round to the next or previous row; Enter keeps it and goes down a row; Escape drops it.
// Reached with Tab and no row
// selected, it selects its current row, so that its keys act at once; a row dragged with the
// mouse and dropped on another is asked to take that row's place (rowDragged). Shift, Ctrl
// and Ctrl+A select several rows; the selection goes to and from the list as runs of rows,
// so that a selection of any length costs a few ranges.
class PlacementListView : public QTreeView {
    Q_OBJECT
public:
    PlacementListView(PlacementTableModel* model, QWidget* parent = nullptr);

    // Selects the runs of selection and makes its current row the view's, without scrolling;
    // the current cell keeps its column. Nothing when the view shows it already.
    void showSelection(const PlacementList::Selection& selection);
    // The rows the view shows selected, and its current row when that is one of them.
    PlacementList::Selection viewSelection() const;
    // Brings the row at position (from 1) into view.
    void scrollToRow(int position);
    // An item of the list's context menu, with its keys.
    QAction* addListAction(const char* name, const QString& label, const QKeySequence& keys,
                           Qt::ShortcutContext context);

signals:
    // The row at from was dropped on the row at to (both from 1; to is the last row when the
    // drop was below it).
    void rowDragged(int from, int to);

protected:
    // Along the row for Tab and Shift+Tab while a cell is edited.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PlacementTableModel* model_;
    // A row drag: the row pressed (from 1), where, and whether it is moving.
    int dragFrom_ = 0;
    QPoint dragStart_;
    bool dragging_ = false;
    bool blockPress_ = false;  // pressed on a row of a selected block
};

}  // namespace qrn
