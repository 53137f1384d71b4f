// What the keyboard and assistive tools need of the window: the controls' accessible names,
// the buttons' keys and tooltips, the focus after a row is added, "Édition" in the text view,
// and saving without leaving the text view.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include "core/age_filter.h"
#include "core/placement_row.h"
#include "editor/building_picker.h"
#include "editor/map_view.h"
#include "editor/module_state.h"
#include "editor/placement_list_view.h"
#include "editor/placement_table_model.h"
#include "editor/plan_text_view.h"
#include "editor/qrn.h"

namespace qrn {

void QRN::addTextEditActions() {
    // The text view's own editing, in "Édition" while it shows; its keys are the text box's.
    const auto textAction = [this](const char* name, const char* label, QKeySequence keys,
                                   void (QPlainTextEdit::*slot)()) {
        auto* action = new QAction(QString::fromUtf8(label), menus_.edit);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setVisible(false);
        menus_.edit->addAction(action);
        connect(action, &QAction::triggered, planText_, slot);
        textEditActions_.push_back(action);
        return action;
    };
    QAction* undo =
        textAction("TextUndo", "&Annuler la frappe", QKeySequence::Undo, &QPlainTextEdit::undo);
    QAction* redo =
        textAction("TextRedo", "&Rétablir la frappe", QKeySequence::Redo, &QPlainTextEdit::redo);
    QAction* cut = textAction("TextCut", "Co&uper", QKeySequence::Cut, &QPlainTextEdit::cut);
    QAction* copy = textAction("TextCopy", "&Copier", QKeySequence::Copy, &QPlainTextEdit::copy);
    textAction("TextPaste", "C&oller", QKeySequence::Paste, &QPlainTextEdit::paste);
    for (QAction* a : {undo, redo, cut, copy}) a->setEnabled(false);
    connect(planText_, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(planText_, &QPlainTextEdit::redoAvailable, redo, &QAction::setEnabled);
    connect(planText_, &QPlainTextEdit::copyAvailable, cut, &QAction::setEnabled);
    connect(planText_, &QPlainTextEdit::copyAvailable, copy, &QAction::setEnabled);
}

void QRN::nameControls() {
    picker_->setHiddenReason([this](const std::u16string& typed) {
        return hiddenByAge(state_.catalogue, ages_, typed);
    });
    picker_->combo()->setAccessibleName(QStringLiteral("Bâtiment"));
    picker_->combo()->lineEdit()->setAccessibleName(QStringLiteral("Bâtiment"));
    for (std::size_t i = 0; i < inputFields_.size(); ++i) {
        const std::u16string_view name = columnName(Column(i));
        inputFields_[i]->setAccessibleName(QString::fromUtf16(name.data(), qsizetype(name.size())));
    }
    listView_->setAccessibleName(QStringLiteral("Liste des placements"));
    mapView_->setAccessibleName(QStringLiteral("Carte"));
    planText_->setAccessibleName(QStringLiteral("Texte du plan"));

    // "Insérer" has its key beside Enter, which adds; no menu item or list key uses it.
    insertButton_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    auto* keypadInsert = new QAction(insertButton_);
    keypadInsert->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter));
    insertButton_->addAction(keypadInsert);
    connect(keypadInsert, &QAction::triggered, insertButton_, &QPushButton::click);
    connect(picker_, &BuildingPicker::controlEnterPressed, insertButton_, &QPushButton::click);
    const std::pair<QPushButton*, const char*> tips[] = {
        {removeButton_, "Supprimer la ligne sélectionnée (Suppr dans la liste)"},
        {upButton_, "Monter la ligne sélectionnée (Ctrl+Haut dans la liste)"},
        {downButton_, "Descendre la ligne sélectionnée (Ctrl+Bas dans la liste)"},
        {addButton_, "Ajouter la ligne à la fin de la liste (Entrée dans un champ)"},
        {insertButton_, "Insérer la ligne devant la ligne sélectionnée (Ctrl+Entrée)"},
        {viewFileButton_, "Voir le texte du plan ou revenir à la liste (Alt+V)"}};
    for (const auto& [button, tip] : tips) button->setToolTip(QString::fromUtf8(tip));
    viewFileButton_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_V));

    addTextEditActions();

    // The status bar is always there, so that nothing moves when a message comes; a message
    // about the picker goes when the picker changes.
    statusBar()->setSizeGripEnabled(true);
    connect(picker_->combo(), &QComboBox::editTextChanged, this, [this] {
        if (!pickerMessage_.isEmpty() && statusBar()->currentMessage() == pickerMessage_)
            statusBar()->clearMessage();
        pickerMessage_.clear();
    });
}

void QRN::tellWhyNothingAdded(bool inserting) {
    const QString why = whyNothingAdded(inserting);
    if (why.isEmpty()) {
        statusBar()->clearMessage();
        // Ready for the next row: its building is typed over, the other fields kept.
        picker_->combo()->setFocus(Qt::OtherFocusReason);
        picker_->combo()->lineEdit()->selectAll();
    } else {
        statusBar()->showMessage(why);
        pickerMessage_ = why;
    }
}

bool QRN::stayInTextView(const std::function<bool()>& save) {
    const int cursor = planText_->textCursor().position();
    if (!leaveTextView()) return false;
    const bool saved = save();
    goToTextView();
    QTextCursor back = planText_->textCursor();
    back.setPosition(std::min(cursor, planText_->document()->characterCount() - 1));
    planText_->setTextCursor(back);
    planText_->setFocus(Qt::OtherFocusReason);
    return saved;
}

void QRN::showRefusedCell(const Error& failure) {
    if (failure.row < 1 || failure.row > document_->list().count() || textViewShown()) return;
    int column = 0;
    for (int c = 0; c < kCellCount; ++c)
        if (failure.column == columnName(Column(c))) column = c + 1;
    const int position = int(failure.row);
    document_->list().select(position);
    syncViewSelection();
    const QModelIndex cell = listModel_->index(position - 1, column);
    listView_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    listView_->scrollTo(cell);
    listView_->setFocus(Qt::OtherFocusReason);
}

}  // namespace qrn
