// Several rows at once: the selection between the list and the view, the block dragged in the
// list, the clipboard's commands and "Rechercher".

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QStatusBar>

#include "base/errors.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "editor/find_bar.h"
#include "editor/map_view.h"
#include "editor/module_state.h"
#include "editor/placement_list_view.h"
#include "editor/qrn.h"
#include "editor/row_mime_data.h"

namespace qrn {

QWidget* QRN::buildFindBar(QWidget* page) {
    findBar_ = new FindBar(document_->list(), page);
    connect(findBar_, &FindBar::found, this, &QRN::showMatch);
    // Closed: back to the list, the found row selected, for Delete or an edit.
    connect(findBar_, &FindBar::closed, this,
            [this] { listView_->setFocus(Qt::OtherFocusReason); });
    return findBar_;
}

void QRN::connectRowSelection() {
    // A key moves the view's current row after it selected, a click before: a current row
    // that is selected already tells the list, one not yet selected waits for the selection.
    connect(listView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (listView_->selectionModel()->isRowSelected(current.row()))
                    viewSelectionChanged();
            });
    connect(menus_.cut, &QAction::triggered, this, &QRN::cutSelection);
    connect(menus_.copy, &QAction::triggered, this, &QRN::copySelection);
    connect(menus_.paste, &QAction::triggered, this, &QRN::pasteRows);
    connect(menus_.duplicate, &QAction::triggered, this, &QRN::duplicateSelection);
    connect(menus_.find, &QAction::triggered, this, [this] {
        if (leaveTextView()) findBar_->open();
    });
    // The list's context menu offers them too (their keys are the menu's).
    auto* separator = new QAction(listView_);
    separator->setSeparator(true);
    listView_->addAction(separator);
    listView_->addActions({menus_.cut, menus_.copy, menus_.paste, menus_.duplicate});
}

void QRN::dragRows(int from, int to) {
    const PlacementList& list = document_->list();
    if (list.selectionCount() < 2 || from < 1 || from > list.count() || !list.isSelected(from))
        return moveRow(from, to);
    // The pressed row lands on the drop row; the block's first row comes as many rows before
    // it as the block holds above the pressed row.
    const std::vector<int> block = list.selectedPositions();
    const int above = int(std::lower_bound(block.begin(), block.end(), from) - block.begin());
    run(u"Les lignes n'ont pas pu être déplacées.",
        [&] { operations::moveSelectionTo(*document_, std::max(1, to - above)); });
}

bool QRN::copySelection() {
    if (textViewShown()) return false;
    const PlacementList& list = document_->list();
    if (list.selectionCount() == 0) {
        statusBar()->showMessage(QStringLiteral("Aucune ligne n'est sélectionnée."), 8000);
        return false;
    }
    copyRows(*QApplication::clipboard(), list.selectedRows(), state_.catalogue);
    const int n = list.selectionCount();
    statusBar()->showMessage(
        n == 1 ? QStringLiteral("1 ligne copiée.") : QStringLiteral("%1 lignes copiées.").arg(n),
        8000);
    return true;
}

void QRN::cutSelection() {
    if (copySelection())
        run(u"Les lignes n'ont pas pu être coupées.", [this] { operations::cut(*document_); });
}

void QRN::pasteRows() {
    if (textViewShown()) return;
    const QMimeData* held = QApplication::clipboard()->mimeData();
    // A text that does not read pastes nothing; the message names its first bad line.
    run(u"Le presse-papiers n'a pas pu être collé.", [&] {
        PlacementList::Rows rows;
        if (held) rows = pastedRows(*held, state_.catalogue);
        if (rows.empty()) {
            statusBar()->showMessage(
                QStringLiteral("Le presse-papiers ne contient aucune ligne à coller."), 8000);
            return;
        }
        operations::paste(*document_, std::move(rows));
    });
}

void QRN::duplicateSelection() {
    if (textViewShown()) return;
    if (document_->list().selectionCount() == 0) {
        statusBar()->showMessage(QStringLiteral("Aucune ligne n'est sélectionnée."), 8000);
        return;
    }
    run(u"Les lignes n'ont pas pu être dupliquées.", [this] { operations::duplicate(*document_); });
}

void QRN::showMatch(int position) {
    document_->list().select(position);
    listView_->scrollToRow(position);
}

}  // namespace qrn
