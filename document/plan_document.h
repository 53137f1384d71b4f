#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/placement_list.h"
#include "document/file_stamp.h"

class QUndoStack;

namespace qrn {

// One plan as an editor window shows it: the placement list, the file it belongs to
// (CurrentFile) and the history of its changes. Every change of the list goes through edit()
// and becomes one command of the undo stack; the document is modified exactly when the stack
// is away from its clean state, or while the text view holds a text typed there and not yet
// taken back into the list (the pending text). Views (the list, the text view, the autosave) listen
// to its signals; it knows no widget.
class PlanDocument : public QObject {
    Q_OBJECT
public:
    explicit PlanDocument(QObject* parent = nullptr);
    ~PlanDocument() override;

    PlacementList& list() { return list_; }
    const PlacementList& list() const { return list_; }
    QUndoStack* undoStack() const { return undoStack_; }
    const std::u16string& fileName() const { return fileName_; }
    void setFileName(std::u16string fileName);
    bool isModified() const;

    // The text view's text while it differs from the text the list makes: the plan is
    // modified while there is one, and the autosave keeps it beside the list.
    const std::optional<std::u16string>& pendingText() const { return pendingText_; }
    void setPendingText(std::optional<std::u16string> text);

    // The file as it was on disk when this document last read or wrote it; a null stamp when
    // unknown (a new plan, a plan recovered from a copy that kept no stamp).
    const FileStamp& fileStamp() const { return fileStamp_; }
    void setFileStamp(FileStamp stamp) { fileStamp_ = std::move(stamp); }
    // True when fileName exists and is no longer what the stamp saw (something that is no
    // plan in its place too).
    bool changedOnDisk(platform::FileSystem& files) const;

    // Which steps join the one before them: the same kind of change to the same row.
    struct MergeKey {
        enum Kind { kMoveOnMap = 1 };
        Kind kind;
        int row;
    };

    // Runs action on the list as one undoable command named text (document/plan_operations.h
    // names every one). An action that changes no row leaves no command. When action throws,
    // what it did is kept (and undoable) and the failure goes on to the caller. A command with
    // a merge key joins the command just before it when that one has the same key.
    void edit(const QString& text, const std::function<void()>& action,
              std::optional<MergeKey> merge = std::nullopt);

    // Starts over with rows and fileName (Nouveau, Ouvrir): a fresh history, no pending text,
    // not modified, the file stamped as stamp.
    void reset(PlacementList::Rows rows, std::u16string fileName, FileStamp stamp = {});
    // Starts over like reset, but modified until saved: a plan recovered after a crash, its
    // file stamped as it was when the copy was made.
    void restore(PlacementList::Rows rows, std::u16string fileName, FileStamp stamp = {});
    // The plan was written to fileName: not modified any more, the file stamped as stamp
    // (taken just after the write).
    void markSaved(std::u16string fileName, FileStamp stamp = {});

signals:
    void modifiedChanged(bool modified);
    void fileNameChanged();
    // The rows changed: a command, an undo, a redo or a start over.
    void rowsChanged();
    void pendingTextChanged();
    // Another plan took the document's place (reset or restore): views show it whole.
    void startedOver();

private:
    void updateModified();

    PlacementList list_;
    QUndoStack* undoStack_;
    std::u16string fileName_;
    std::optional<std::u16string> pendingText_;
    FileStamp fileStamp_;
    bool modified_ = false;  // as last announced
};

}  // namespace qrn
