// "Voir le fichier": the plan text in Text7 in place of the list, and back into the list. The
// text is read back in memory by the plan reader's rules; a line that cannot be read leaves
// the window in the text view, the text as typed and the list as it was.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeView>

#include "base/errors.h"
#include "base/text.h"
#include "document/plan_document.h"
#include "editor/module_state.h"
#include "editor/qrn.h"
#include "planfile/plan_text.h"
#include "planfile/plan_writer.h"
#include "platform/platform.h"

namespace qrn {

namespace {

// The text as the user sees it, each line ended by CR LF as in a plan file. The raw text keeps
// characters that toPlainText() would change (a no-break space becomes a space there).
std::u16string textOf(const QPlainTextEdit& edit) {
    std::u16string text;
    for (const QChar c : edit.document()->toRawText()) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
            text += u"\r\n";
        else
            text += char16_t(c.unicode());
    }
    return text;
}

}  // namespace

void QRN::setListControlsVisible(bool visible) {
    pickerBox_->setVisible(visible);
    for (QLineEdit* field : inputFields_) field->setVisible(visible);
    for (QPushButton* button : {removeButton_, upButton_, downButton_, addButton_, insertButton_})
        button->setVisible(visible);
    listView_->setVisible(visible);
    mapPane_->setVisible(visible && showMapAction_->isChecked());
    planText_->setVisible(!visible);
    // The history is the list's: it waits while the text is being edited.
    undoAction_->setVisible(visible);
    redoAction_->setVisible(visible);
}

void QRN::switchView() {
    if (textViewShown())
        goToListView();
    else
        goToTextView();
}

void QRN::goToTextView() {
    std::u16string text;
    try {
        text = MakeQRNFile(document_->list(), state_.catalogue);
    } catch (const Error& e) {
        tell(u"Le texte du plan ne peut pas être affiché.\r\n" + e.describe());
        return;
    }
    setListControlsVisible(false);
    shownText_ = text;
    planText_->setPlainText(QString::fromStdU16String(text));
}

bool QRN::leaveTextView() {
    return !textViewShown() || goToListView();
}

bool QRN::goToListView() {
    const std::u16string text = textOf(*planText_);
    // Text left as it was shown is the list's own plan: nothing to take back.
    if (text != shownText_) {
        PlacementList::Rows rows;
        try {
            rows = readPlanText(text, state_.catalogue);
        } catch (const Error& e) {
            const QTextBlock block = planText_->document()->findBlockByNumber(int(e.line) - 1);
            if (block.isValid()) {
                QTextCursor cursor(block);
                cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                planText_->setTextCursor(cursor);
            }
            planText_->setFocus();
            tell(u"Le texte n'a pas pu être repris dans la liste : la ligne " + decimal(e.line) +
                 u" " + quoted(lineOf(text, e.line)) + u" ne peut pas être lue : " + e.reason() +
                 u".\r\nLe texte reste affiché tel quel et la liste n'a pas changé.");
            return false;
        }
        QScopedValueRollback<bool> guard(listSyncing_, true);
        document_->edit(QStringLiteral("Modifier le texte"),
                        [this, &rows] { document_->list().assign(std::move(rows)); });
    }
    setListControlsVisible(true);
    return true;
}

}  // namespace qrn
