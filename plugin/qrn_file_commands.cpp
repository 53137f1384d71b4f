// The File menu: "Nouveau", "Ouvrir", "Enregistrer" and "Enregistrer sous...".

#include <QScopedValueRollback>

#include "base/codepage.h"
#include "base/errors.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_writer.h"
#include "platform/platform.h"
#include "plugin/module_state.h"
#include "plugin/placement_table_model.h"
#include "plugin/qrn.h"

namespace qrn {

namespace {

// Throws for the first cell that the 8-bit file cannot hold, naming its row and column rather
// than a position in the whole text.
void checkEncodable(const PlacementList& list) {
    for (int r = 1; r <= list.count(); ++r) {
        const PlacementRow& row = list.row(r);
        for (int c = 0; c < kCellCount; ++c) {
            try {
                platform::encodeWindows1252(row.cell(c));
            } catch (Error& e) {
                e.row = r;
                e.column = columnName(Column(c));
                throw;
            }
        }
    }
}

}  // namespace

void QRN::newFile() {
    run(u"Le nouveau plan n'a pas pu être commencé.", [this] {
        if (input_.picker.count() > 0) input_.picker.select(0);
        showPicker(false);
        input_.fields.fill(u"0");
        showFields();
        list_.clear();
        currentFile_.clear();
    });
}

void QRN::openFile() {
    const std::u16string chosen = platform_.ui().ShowOpen(state_.planFolder);
    if (chosen.empty()) return;
    const std::u16string earlier = currentFile_;
    currentFile_ = chosen;
    const quint64 changesBefore = listModel_->changeCount();
    try {
        QScopedValueRollback<bool> guard(listSyncing_, true);
        openQRN(currentFile_, list_, state_.catalogue, platform_.files());
    } catch (Error& e) {
        if (e.file.empty()) e.file = chosen;
        if (listModel_->changeCount() == changesBefore) {
            // Nothing was read: the window goes on with the plan it had.
            currentFile_ = earlier;
            tell(u"Le plan n'a pas pu être ouvert ; la liste n'a pas changé.\r\n" + e.describe());
        } else {
            // The list holds only the rows before the bad line: it must not be saved over the
            // file it came from without the user choosing so.
            currentFile_.clear();
            tell(
                u"Le plan n'a pas pu être lu en entier : la liste ne garde que les lignes lues "
                u"avant l'erreur, et « Enregistrer » demandera où enregistrer.\r\n" +
                e.describe());
        }
    }
    syncViewSelection();
}

void QRN::saveFile() {
    if (currentFile_.empty()) return saveFilesAs();
    try {
        // The text is built before the file is touched, and the output replaces the file only
        // when everything has been written: a failure leaves the disk as it was.
        const std::u16string text = MakeQRNFile(list_, state_.catalogue);
        std::unique_ptr<platform::OutputFile> out =
            platform_.files().CreateOutputFile(currentFile_, platform::CreateMode::Replace);
        try {
            out->Write(text);
        } catch (const InvalidArgument&) {
            checkEncodable(list_);  // says which cell, when a cell is the cause
            throw;
        }
        out->Commit();
    } catch (Error& e) {
        if (e.file.empty() && e.row == 0) e.file = currentFile_;
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
