// The File menu: "Nouveau", "Ouvrir", "Enregistrer" and "Enregistrer sous...", and the
// question asked before a modified plan is left.

#include <QScopedValueRollback>

#include "base/errors.h"
#include "document/autosave.h"
#include "document/plan_document.h"
#include "editor/module_state.h"
#include "editor/qrn.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_save.h"
#include "platform/platform.h"

namespace qrn {

bool QRN::maybeSave() {
    if (!document_->isModified()) return true;
    switch (platform_.ui().AskSaveChanges(planName().toStdU16String())) {
        case platform::SaveChoice::Save:
            return saveFile();
        case platform::SaveChoice::Discard:
            autosave_->discard();
            return true;
        case platform::SaveChoice::Cancel:
            return false;
    }
    return false;
}

void QRN::newFile() {
    if (!leaveTextView() || !maybeSave()) return;
    try {
        if (input_.picker.count() > 0) input_.picker.select(0);
        showPicker();
        input_.fields.fill(u"0");
        showFields();
        QScopedValueRollback<bool> guard(listSyncing_, true);
        document_->reset({}, {});
    } catch (const Error& e) {
        tell(u"Le nouveau plan n'a pas pu être commencé.\r\n" + e.describe());
    }
}

void QRN::openFile() {
    if (!leaveTextView() || !maybeSave()) return;
    const std::u16string chosen = platform_.ui().ShowOpen(state_.planFolder);
    if (chosen.empty()) return;
    std::unique_ptr<platform::TextStream> stream;
    try {
        stream = platform_.files().OpenTextFile(chosen);
    } catch (Error& e) {
        // Nothing was read: the window goes on with the plan it had.
        if (e.file.empty()) e.file = chosen;
        tell(u"Le plan n'a pas pu être ouvert ; la liste n'a pas changé.\r\n" + e.describe());
        return;
    }
    std::u16string file = chosen;
    PlacementList::Rows rows;
    try {
        readQRN(*stream, chosen, state_.catalogue,
                [&rows](PlacementRow&& row) { rows.push_back(std::move(row)); });
    } catch (const Error& e) {
        // The list holds only the rows before the bad line: it must not be saved over the
        // file it came from without the user choosing so.
        file.clear();
        tell(
            u"Le plan n'a pas pu être lu en entier : la liste ne garde que les lignes lues "
            u"avant l'erreur, et « Enregistrer » demandera où enregistrer.\r\n" +
            e.describe());
    }
    QScopedValueRollback<bool> guard(listSyncing_, true);
    document_->reset(std::move(rows), std::move(file));
}

bool QRN::saveFile() {
    if (!leaveTextView()) return false;
    if (document_->fileName().empty()) return saveFilesAs();
    try {
        savePlan(document_->fileName(), document_->list(), state_.catalogue, platform_.files());
    } catch (const Error& e) {
        tell(u"Le plan n'a pas été enregistré ; aucun fichier n'a été modifié.\r\n" + e.describe());
        return false;
    }
    document_->markSaved(document_->fileName());
    return true;
}

bool QRN::saveFilesAs() {
    if (!leaveTextView()) return false;
    const std::u16string chosen = platform_.ui().ShowSave(state_.planFolder);
    if (chosen.empty()) return false;
    document_->setFileName(chosen);
    return saveFile();
}

}  // namespace qrn
