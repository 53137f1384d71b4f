#include "editor/open_plan.h"

#include <memory>

#include "base/errors.h"
#include "document/plan_document.h"
#include "editor/qrn.h"
#include "planfile/plan_reader.h"
#include "platform/platform.h"

namespace qrn {

void openPlan(platform::Platform& platform, const Catalogue& catalogue, QRN& window,
              const std::u16string& file) {
    std::unique_ptr<platform::TextStream> stream;
    try {
        stream = platform.files().OpenTextFile(file);
    } catch (Error& e) {
        if (e.file.empty()) e.file = file;
        platform.ui().MsgBox(u"Le plan n'a pas pu être ouvert ; la liste n'a pas changé.\r\n" +
                             e.describe());
        return;
    }
    std::u16string kept = file;
    PlacementList::Rows rows;
    try {
        readQRN(*stream, file, catalogue,
                [&rows](PlacementRow&& row) { rows.push_back(std::move(row)); });
    } catch (const Error& e) {
        // Only the rows before the bad line: never saved over the file without asking.
        kept.clear();
        platform.ui().MsgBox(
            u"Le plan n'a pas pu être lu en entier : la liste ne garde que les lignes lues "
            u"avant l'erreur, et « Enregistrer » demandera où enregistrer.\r\n" +
            e.describe());
    }
    window.document().reset(std::move(rows), std::move(kept));
}

}  // namespace qrn
