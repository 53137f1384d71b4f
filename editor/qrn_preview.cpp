// "Voir le fichier": the plan text in Text7 in place of the list, and back into the list. The
// text is read back in memory by the plan reader's rules; a line that cannot be read leaves
// the window in the text view, the text as typed and the list as it was. Text typed there is
// the document's pending text until it is taken back or dropped.

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

#include "base/errors.h"
#include "base/text.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "editor/building_picker.h"
#include "editor/map_pane.h"
#include "editor/module_state.h"
#include "editor/placement_list_view.h"
#include "editor/plan_text_view.h"
#include "editor/qrn.h"
#include "planfile/plan_text.h"
#include "planfile/plan_writer.h"
#include "platform/platform.h"

namespace qrn {

void QRN::setListControlsVisible(bool visible) {
    picker_->combo()->setVisible(visible);
    for (QLineEdit* field : inputFields_) field->setVisible(visible);
    for (QPushButton* button : {removeButton_, upButton_, downButton_, addButton_, insertButton_})
        button->setVisible(visible);
    listView_->setVisible(visible);
    mapPane_->setVisible(visible && menus_.showMap->isChecked());
    planText_->setVisible(!visible);
    // "Édition" offers the list's history and rows, or the text box's own commands.
    for (QAction* action : menus_.edit->actions())
        action->setVisible(textEditActions_.contains(action) ? !visible : visible);
}

void QRN::switchView() {
    if (textViewShown())
        goToListView();
    else
        goToTextView();
}

void QRN::goToTextView(const std::optional<std::u16string>& typed) {
    std::u16string text;
    try {
        text = MakeQRNFile(document_->list(), state_.catalogue);
    } catch (const Error& e) {
        tell(u"Le texte du plan ne peut pas être affiché.\r\n" + e.describe());
        // A recovered text is shown all the same: it exists nowhere else.
        if (!typed) return;
    }
    setListControlsVisible(false);
    shownText_ = text;
    {
        QScopedValueRollback<bool> guard(textShowing_, true);
        planText_->setPlainText(QString::fromStdU16String(typed ? *typed : text));
    }
    syncPendingText();
}

void QRN::syncPendingText() {
    textSync_->stop();
    if (!textViewShown()) return;
    std::u16string text = planText_->planText();
    if (text == shownText_)
        document_->setPendingText(std::nullopt);
    else
        document_->setPendingText(std::move(text));
}

bool QRN::leaveTextView(const std::u16string& command) {
    return !textViewShown() || goToListView(command);
}

bool QRN::goToListView(const std::u16string& command) {
    textSync_->stop();
    const std::u16string text = planText_->planText();
    // Text left as it was shown is the list's own plan: nothing to take back.
    if (text != shownText_) {
        PlacementList::Rows rows;
        try {
            rows = readPlanText(text, state_.catalogue);
        } catch (const Error& e) {
            const std::u16string line = u"la ligne " + decimal(e.line) + u" " +
                                        quoted(lineOf(text, e.line)) + u" ne peut pas être lue : " +
                                        e.reason() + u".";
            if (command.empty()) {
                planText_->selectLine(e.line);
                tell(u"Le texte n'a pas pu être repris dans la liste : " + line +
                     u"\r\nLe texte reste affiché tel quel et la liste n'a pas changé.");
                return false;
            }
            switch (platform_.ui().AskLeaveText(
                u"« " + command +
                u" » attend votre réponse : le texte ne peut pas être repris "
                u"dans la liste, " +
                line +
                u"\r\nContinuer la modification revient au texte, sur cette ligne ; Abandonner "
                u"le texte laisse de côté ce qui a été changé dans le texte, la liste reste "
                u"telle qu'elle était avant « Voir le fichier », et « " +
                command + u" » continue ; Annuler revient au texte.")) {
                case platform::TextLeaveChoice::KeepEditing:
                    planText_->selectLine(e.line);
                    return false;
                case platform::TextLeaveChoice::Cancel:
                    return false;
                case platform::TextLeaveChoice::Drop:
                    document_->setPendingText(std::nullopt);
                    setListControlsVisible(true);
                    return true;
            }
            return false;
        }
        QScopedValueRollback<bool> guard(listSyncing_, true);
        operations::takeBackText(*document_, std::move(rows));
    }
    document_->setPendingText(std::nullopt);
    setListControlsVisible(true);
    return true;
}

}  // namespace qrn
