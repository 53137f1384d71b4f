// The File menu: "Nouveau", "Ouvrir", "Enregistrer" and "Enregistrer sous...".

#include <QScopedValueRollback>

#include "base/errors.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_save.h"
#include "platform/platform.h"
#include "plugin/module_state.h"
#include "plugin/qrn.h"

namespace qrn {

void QRN::newFile() {
    run(u"Le nouveau plan n'a pas pu être commencé.", [this] {
        if (input_.picker.count() > 0) input_.picker.select(0);
        showPicker();
        input_.fields.fill(u"0");
        showFields();
        list_.clear();
        currentFile_.clear();
    });
}

void QRN::openFile() {
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
    currentFile_ = chosen;
    PlacementList::Rows rows;
    try {
        readQRN(*stream, chosen, state_.catalogue,
                [&rows](PlacementRow&& row) { rows.push_back(std::move(row)); });
    } catch (const Error& e) {
        // The list holds only the rows before the bad line: it must not be saved over the
        // file it came from without the user choosing so.
        currentFile_.clear();
        tell(
            u"Le plan n'a pas pu être lu en entier : la liste ne garde que les lignes lues "
            u"avant l'erreur, et « Enregistrer » demandera où enregistrer.\r\n" +
            e.describe());
    }
    {
        QScopedValueRollback<bool> guard(listSyncing_, true);
        list_.assign(std::move(rows));
    }
    syncViewSelection();
}

void QRN::saveFile() {
    if (currentFile_.empty()) return saveFilesAs();
    try {
        savePlan(currentFile_, list_, state_.catalogue, platform_.files());
    } catch (const Error& e) {
        tell(u"Le plan n'a pas été enregistré ; aucun fichier n'a été modifié.\r\n" + e.describe());
    }
}

void QRN::saveFilesAs() {
    const std::u16string chosen = platform_.ui().ShowSave(state_.planFolder);
    if (chosen.empty()) return;
    currentFile_ = chosen;
    saveFile();
}

}  // namespace qrn
