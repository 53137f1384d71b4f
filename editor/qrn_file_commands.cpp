// The File menu: "Nouveau", "Ouvrir", "Enregistrer" and "Enregistrer sous...", the question
// asked before a modified plan is left, and the window's file watched on disk.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProgressDialog>
#include <QScopedValueRollback>

#include "base/errors.h"
#include "base/text.h"
#include "document/autosave.h"
#include "document/plan_document.h"
#include "editor/building_picker.h"
#include "editor/module_state.h"
#include "editor/qrn.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_save.h"
#include "planfile/read_back.h"
#include "platform/platform.h"
#include "platform/qt/native_path.h"

namespace qrn {

namespace {

// Rows that would not read back are written only on the user's word: asked with their
// positions (the first few) and the first one's reason.
bool writeAnyway(const PlacementList& list, const Catalogue& catalogue, platform::Ui& ui) {
    constexpr std::size_t kNamed = 5;
    const std::vector<long> rows = rowsNotReadBack(list, catalogue);
    if (rows.empty()) return true;
    std::u16string named;
    for (std::size_t i = 0; i < rows.size() && i < kNamed; ++i)
        named += (i == 0 ? u"" : u", ") + decimal(rows[i]);
    if (rows.size() > kNamed) named += u", …";
    const PlacementRow& first = list.row(int(rows.front()));
    const std::u16string why = readBackProblems(planRowView(first), catalogue).front().describe();
    return ui.AskWriteAnyway(
               (rows.size() == 1
                    ? u"La ligne " + named +
                          u" du plan ne serait pas relue telle qu'elle est affichée."
                    : u"Les lignes " + named +
                          u" du plan ne seraient pas relues telles qu'elles sont affichées.") +
               u"\r\nLigne " + decimal(rows.front()) + u", " + why +
               u"\r\nEnregistrer quand même ?") == platform::WriteAnywayChoice::Write;
}

// The name under which the watcher reaches the file. Qt hands the watcher its names as UTF-8:
// a name that is not UTF-8 would be another file to it, and is followed through its folder
// only (empty here).
QString watchableName(const std::u16string& file) {
    const QString native = platform::nativePathString(file);
    return QFile::encodeName(native).toStdString() == platform::nativePathBytes(file) ? native
                                                                                      : QString();
}

// Reading a plan that takes longer than this shows its progress.
constexpr qint64 kQuietReadMs = 400;
// Rows read between two looks at the clock.
constexpr std::size_t kRowsBetweenLooks = 2048;

}  // namespace

bool QRN::maybeSave() {
    if (!document_->isModified()) return true;
    // A plan never saved is "Sans titre" in the question (its window is titled "QRN").
    const std::u16string name =
        document_->fileName().empty() ? u"Sans titre" : planName().toStdU16String();
    switch (platform_.ui().AskSaveChanges(name)) {
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
    if (!leaveTextView(u"Nouveau") || !maybeSave()) return;
    try {
        if (input_.picker.count() > 0) input_.picker.select(0);
        picker_->show();
        input_.fields.fill(u"0");
        showFields();
        QScopedValueRollback<bool> guard(listSyncing_, true);
        document_->reset({}, {});
    } catch (const Error& e) {
        tell(u"Le nouveau plan n'a pas pu être commencé.\r\n" + e.describe());
    }
}

void QRN::openFile() {
    if (!leaveTextView(u"Ouvrir") || !maybeSave()) return;
    const std::u16string chosen = platform_.ui().ShowOpen(state_.planFolder);
    if (!chosen.empty()) openPath(chosen);
}

void QRN::openPath(const std::u16string& chosen) {
    std::unique_ptr<platform::TextStream> stream;
    try {
        // Opened with the checks of any reading (never waiting on a FIFO, never a device)
        // before anything is read, the stamp included.
        stream = platform_.files().OpenTextFile(chosen);
    } catch (Error& e) {
        // Nothing was read: the window goes on with the plan it had.
        if (e.file.empty()) e.file = chosen;
        tell(u"Le plan n'a pas pu être ouvert ; la liste n'a pas changé.\r\n" + e.describe());
        return;
    }
    // Stamped before reading: a change made while it is read shows as a change afterwards.
    FileStamp stamp = FileStamp::of(chosen, platform_.files());
    std::u16string file = chosen;
    PlacementList::Rows rows;
    try {
        if (!readRows(*stream, chosen, rows)) {
            tell(u"La lecture du plan a été annulée ; la liste n'a pas changé.\r\n" + chosen);
            return;
        }
    } catch (const Error& e) {
        // The list holds only the rows before the bad line: it must not be saved over the
        // file it came from without the user choosing so.
        file.clear();
        stamp = {};
        tell(
            u"Le plan n'a pas pu être lu en entier : la liste ne garde que les lignes lues "
            u"avant l'erreur, et « Enregistrer » demandera où enregistrer.\r\n" +
            e.describe());
    }
    const bool whole = !file.empty();
    {
        QScopedValueRollback<bool> guard(listSyncing_, true);
        document_->reset(std::move(rows), std::move(file), std::move(stamp));
    }
    if (whole) rememberRecent(chosen);
}

bool QRN::readRows(platform::TextStream& stream, const std::u16string& path,
                   PlacementList::Rows& rows) {
    QScopedValueRollback<bool> reading(reading_, true);
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    bool cancelled = false;
    struct Cancelled {};
    try {
        readQRN(stream, path, state_.catalogue, [&](PlacementRow&& row) {
            rows.push_back(std::move(row));
            if (rows.size() % kRowsBetweenLooks != 0 || clock.elapsed() < kQuietReadMs) return;
            const std::int64_t size = stream.Size();
            if (!progress) {
                progress = std::make_unique<QProgressDialog>(
                    QStringLiteral("Lecture du plan ") +
                        QString::fromStdU16String(displayName(path)) + QStringLiteral("..."),
                    QStringLiteral("Annuler"), 0, 1000, this);
                progress->setObjectName(QStringLiteral("ReadProgress"));
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(0);
            }
            // A modal progress lets the events through (the window's other work goes on) and
            // sees the click on "Annuler".
            progress->setValue(size > 0 ? int(stream.BytesRead() * 1000 / size) : 0);
            if (progress->wasCanceled()) throw Cancelled{};
        });
    } catch (const Cancelled&) {
        cancelled = true;
    }
    return !cancelled;
}

bool QRN::saveFile() {
    if (textViewShown()) return stayInTextView([this] { return saveFile(); });
    const std::u16string file = document_->fileName();
    if (file.empty()) return saveFilesAs();
    if (document_->changedOnDisk(platform_.files())) {
        switch (platform_.ui().AskOverwrite(
            u"Le fichier a été modifié par un autre programme depuis son ouverture : l'écraser, "
            u"enregistrer sous un autre nom, annuler ?\r\n" +
            file)) {
            case platform::OverwriteChoice::Overwrite:
                break;
            case platform::OverwriteChoice::SaveAs:
                return saveFilesAs();
            case platform::OverwriteChoice::Cancel:
                return false;
        }
    }
    return writePlan(file);
}

bool QRN::saveFilesAs() {
    if (textViewShown()) return stayInTextView([this] { return saveFilesAs(); });
    const std::u16string chosen = platform_.ui().ShowSave(state_.planFolder);
    return !chosen.empty() && writePlan(chosen);
}

bool QRN::writePlan(const std::u16string& file, platform::CreateMode mode) {
    // ReplaceReadOnly is the answer to the read-only question, asked after this one.
    if (mode == platform::CreateMode::Replace &&
        !writeAnyway(document_->list(), state_.catalogue, platform_.ui()))
        return false;
    try {
        savePlan(file, document_->list(), state_.catalogue, platform_.files(), mode);
    } catch (const ReadOnlyFileError&) {
        switch (platform_.ui().AskOverwriteReadOnly(
            u"Le fichier est en lecture seule : l'écraser quand même, enregistrer sous un autre "
            u"nom, annuler ?\r\n" +
            file)) {
            case platform::OverwriteChoice::Overwrite:
                return writePlan(file, platform::CreateMode::ReplaceReadOnly);
            case platform::OverwriteChoice::SaveAs:
                return saveFilesAs();
            case platform::OverwriteChoice::Cancel:
                return false;
        }
        return false;
    } catch (const DamagedFileError& e) {
        // What the file holds now is this window's doing: the next save need not ask.
        if (file == document_->fileName())
            document_->setFileStamp(FileStamp::of(file, platform_.files()));
        tell(
            u"Le plan n'a pas été enregistré et le fichier n'a pas pu être remis comme il "
            u"était.\r\n" +
            e.describe());
        return false;
    } catch (const Error& e) {
        tell(u"Le plan n'a pas été enregistré ; aucun fichier n'a été modifié.\r\n" + e.describe());
        showRefusedCell(e);
        return false;
    }
    document_->markSaved(file, FileStamp::of(file, platform_.files()));
    rememberRecent(file);
    watchFile();  // the file was replaced whole: the new one is watched
    tellSaved();
    return true;
}

void QRN::watchFile() {
    const QStringList watched = watcher_->files() + watcher_->directories();
    if (!watched.isEmpty()) watcher_->removePaths(watched);
    const std::u16string& name = document_->fileName();
    if (name.empty()) return;
    QStringList paths{QFileInfo(platform::nativePathString(name)).absolutePath()};
    const QString file = watchableName(name);
    if (!file.isEmpty() && platform_.files().FileExists(name)) paths << file;
    watcher_->addPaths(paths);
}

void QRN::folderChangedOnDisk() {
    const std::u16string& name = document_->fileName();
    const QString file = watchableName(name);
    // A file deleted and written anew is no longer watched, and a name the watcher cannot reach
    // is never: its folder tells of them.
    if ((file.isEmpty() || !watcher_->files().contains(file)) && platform_.files().FileExists(name))
        fileChangedOnDisk();
}

void QRN::fileChangedOnDisk() {
    const std::u16string name = document_->fileName();
    if (name.empty()) return;
    // A file replaced whole (renamed over) is a new file under the same name: watched anew.
    const QString file = watchableName(name);
    if (!file.isEmpty()) {
        watcher_->removePath(file);
        if (platform_.files().FileExists(name)) watcher_->addPath(file);
    }
    if (askingReload_ || reading_ || document_->isModified() || document_->fileStamp().isNull())
        return;
    // Looked at with the checks of an opening: something that is no plan is said, not read.
    const FileStamp now = FileStamp::of(name, platform_.files());
    if (!now.exists() || now == document_->fileStamp() || now == offeredReload_) return;
    offeredReload_ = now;
    QScopedValueRollback<bool> asking(askingReload_, true);
    if (!now.refusal().empty()) {
        tell(u"Le fichier " + name +
             u" a été remplacé par un autre programme et ne peut pas être relu ; le plan reste "
             u"tel qu'il est affiché.\r\n" +
             now.refusal());
        return;
    }
    const platform::ReloadChoice choice = platform_.ui().AskReload(
        u"Le fichier " + name +
        u" a été modifié par un autre programme.\r\nRecharger le relit dans cette fenêtre ; "
        u"Ignorer garde le plan tel qu'il est affiché.");
    // Edited while the question was up: the edits are not thrown away.
    if (choice == platform::ReloadChoice::Reload && !document_->isModified() && leaveTextView())
        openPath(document_->fileName());
}

}  // namespace qrn
