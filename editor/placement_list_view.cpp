#include "editor/placement_list_view.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "editor/placement_table_model.h"

namespace qrn {

PlacementListView::PlacementListView(PlacementTableModel* model, QWidget* parent)
    : QTreeView(parent), model_(model) {
    setObjectName(QStringLiteral("ListView1"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    // The current cell shows: it is the one F2 or typing edits.
    setAllColumnsShowFocus(false);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setModel(model);
    QHeaderView* columns = header();
    columns->setSectionsMovable(false);
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(0, QHeaderView::Stretch);
    columns->setMinimumSectionSize(40);
    for (int c = 1; c < PlacementTableModel::kColumnCount; ++c)
        columns->resizeSection(c, c <= 2 ? 60 : 90);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void PlacementListView::showSelection(const PlacementList::Selection& selection) {
    if (selection == viewSelection()) return;
    QItemSelection rows;
    const int last = PlacementTableModel::kColumnCount - 1;
    for (const auto& [first, end] : selection.runs)
        rows.select(model_->index(first - 1, 0), model_->index(end - 1, last));
    const QModelIndex current = currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    if (selection.current)
        selectionModel()->setCurrentIndex(model_->index(*selection.current - 1, column),
                                          QItemSelectionModel::NoUpdate);
    setAutoScroll(scrolls);
}

PlacementList::Selection PlacementListView::viewSelection() const {
    // The view's ranges may come in any order and touch: sorted and joined into runs.
    PlacementList::Runs ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.emplace_back(range.top() + 1, range.bottom() + 1);
    std::sort(ranges.begin(), ranges.end());
    PlacementList::Selection selection;
    for (const auto& range : ranges) {
        if (!selection.runs.empty() && range.first <= selection.runs.back().second + 1)
            selection.runs.back().second = std::max(selection.runs.back().second, range.second);
        else
            selection.runs.push_back(range);
    }
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row()))
        selection.current = current.row() + 1;
    return selection;
}

void PlacementListView::scrollToRow(int position) {
    if (position >= 1 && position <= model_->rowCount()) scrollTo(model_->index(position - 1, 0));
}

QAction* PlacementListView::addListAction(const char* name, const QString& label,
                                          const QKeySequence& keys, Qt::ShortcutContext context) {
    auto* action = new QAction(label, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(context);
    addAction(action);
    return action;
}

QModelIndex PlacementListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    if ((action != MoveNext && action != MovePrevious) || !current.isValid())
        return QTreeView::moveCursor(action, modifiers);
    const int columns = PlacementTableModel::kColumnCount;
    const int cell = current.row() * columns + current.column() + (action == MoveNext ? 1 : -1);
    if (cell < 0 || cell >= model_->rowCount() * columns) return {};
    return model_->index(cell / columns, cell % columns);
}

void PlacementListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTreeView::closeEditor(editor, hint);
    // The delegate ends an edit kept with Enter so: the cell below becomes the current one.
    if (hint != QAbstractItemDelegate::SubmitModelCache) return;
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() + 1 >= model_->rowCount()) return;
    selectionModel()->setCurrentIndex(
        current.sibling(current.row() + 1, current.column()),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(currentIndex());
}

void PlacementListView::keyPressEvent(QKeyEvent* event) {
    // Left and right go from cell to cell of the row, for F2 or typing to edit.
    const QModelIndex current = currentIndex();
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0 || event->modifiers() != Qt::NoModifier || !current.isValid())
        return QTreeView::keyPressEvent(event);
    const int column = current.column() + step;
    if (column >= 0 && column < PlacementTableModel::kColumnCount) {
        selectionModel()->setCurrentIndex(current.siblingAtColumn(column),
                                          QItemSelectionModel::NoUpdate);
        scrollTo(currentIndex());
    }
    event->accept();
}

void PlacementListView::focusInEvent(QFocusEvent* event) {
    // Reached with Tab and no row selected: the current row (at first the first) is selected,
    // so that Delete and Ctrl+Up/Down have a row to act on.
    const Qt::FocusReason reason = event->reason();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
        !selectionModel()->hasSelection() && model_->rowCount() > 0) {
        const QModelIndex current = currentIndex();
        selectionModel()->setCurrentIndex(
            current.isValid() ? current : model_->index(0, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QTreeView::focusInEvent(event);
}

void PlacementListView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex pressed = indexAt(event->position().toPoint());
    dragging_ = false;
    dragFrom_ = event->button() == Qt::LeftButton && pressed.isValid() ? pressed.row() + 1 : 0;
    dragStart_ = event->position().toPoint();
    // Pressed on one of several selected rows: the selection stays for a drag of the block; a
    // click without a drag selects the row alone on release.
    blockPress_ = dragFrom_ != 0 && event->modifiers() == Qt::NoModifier &&
                  selectionModel()->isRowSelected(pressed.row()) &&
                  selectionModel()->selectedRows().size() > 1;
    if (!blockPress_) QTreeView::mousePressEvent(event);
}

void PlacementListView::mouseMoveEvent(QMouseEvent* event) {
    // Pressed on a row and moved far enough: the row is being dragged, and the view does not
    // select what the pointer passes over.
    if (dragFrom_ != 0 && (event->buttons() & Qt::LeftButton)) {
        if (!dragging_ && (event->position().toPoint() - dragStart_).manhattanLength() >=
                              QApplication::startDragDistance()) {
            dragging_ = true;
            viewport()->setCursor(Qt::ClosedHandCursor);
        }
        if (dragging_) return;
    }
    QTreeView::mouseMoveEvent(event);
}

void PlacementListView::mouseReleaseEvent(QMouseEvent* event) {
    // Dropped on a row: the dragged row takes its place; below the last row, the last.
    const int from = dragFrom_;
    const bool dropped = dragging_ && event->button() == Qt::LeftButton;
    dragFrom_ = 0;
    dragging_ = false;
    if (dropped) {
        viewport()->unsetCursor();
        const QPoint at = event->position().toPoint();
        const QModelIndex target = indexAt(at);
        int to = target.isValid() ? target.row() + 1 : 0;
        if (to == 0 && model_->rowCount() > 0 && at.y() > 0) to = model_->rowCount();
        emit rowDragged(from, to);
    }
    if (!std::exchange(blockPress_, false))
        QTreeView::mouseReleaseEvent(event);  // the view ends its own press
    else if (!dropped && from != 0)
        selectionModel()->setCurrentIndex(
            model_->index(from - 1, std::max(0, currentIndex().column())),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

}  // namespace qrn
