#include "document/plan_document.h"

#include <QUndoCommand>
#include <QUndoStack>

#include "core/list_change.h"

namespace qrn {

namespace {

// One change of the list: done when pushed (redo() only does it again after an undo), as the
// handler has already run it to know what it changed.
class ListCommand : public QUndoCommand {
public:
    ListCommand(PlanDocument& document, ListChange change, const QString& text,
                std::optional<PlanDocument::MergeKey> merge)
        : QUndoCommand(text), document_(document), change_(std::move(change)), merge_(merge) {}

    void undo() override {
        change_.undo(document_.list());
        emit document_.rowsChanged();
    }
    void redo() override {
        if (done_) {
            done_ = false;
            return;
        }
        change_.redo(document_.list());
        emit document_.rowsChanged();
    }
    int id() const override { return merge_ ? int(merge_->kind) : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        // Only commands of this class share an id with this one.
        const auto* next = static_cast<const ListCommand*>(other);
        if (!next->merge_ || next->merge_->row != merge_->row) return false;
        change_.append(next->change_);
        return true;
    }

private:
    PlanDocument& document_;
    ListChange change_;
    std::optional<PlanDocument::MergeKey> merge_;
    bool done_ = true;
};

}  // namespace

PlanDocument::PlanDocument(QObject* parent) : QObject(parent), undoStack_(new QUndoStack(this)) {
    connect(undoStack_, &QUndoStack::cleanChanged, this, &PlanDocument::updateModified);
}

PlanDocument::~PlanDocument() {
    // The commands refer to the list: they go first.
    delete undoStack_;
}

void PlanDocument::setFileName(std::u16string fileName) {
    if (fileName == fileName_) return;
    fileName_ = std::move(fileName);
    emit fileNameChanged();
}

bool PlanDocument::isModified() const {
    return !undoStack_->isClean() || pendingText_;
}

void PlanDocument::updateModified() {
    if (isModified() == modified_) return;
    modified_ = !modified_;
    emit modifiedChanged(modified_);
}

void PlanDocument::setPendingText(std::optional<std::u16string> text) {
    if (text == pendingText_) return;
    pendingText_ = std::move(text);
    emit pendingTextChanged();
    updateModified();
}

bool PlanDocument::changedOnDisk(platform::FileSystem& files) const {
    if (fileName_.empty() || fileStamp_.isNull() || fileStamp_.path() != fileName_) return false;
    const FileStamp now = FileStamp::of(fileStamp_.path(), files);
    return now.exists() && now != fileStamp_;
}

void PlanDocument::edit(const QString& text, const std::function<void()>& action,
                        std::optional<MergeKey> merge) {
    ListChange change = ListChange::record(list_, action);
    const std::exception_ptr failure = change.failure;
    if (!change.empty()) {
        change.failure = nullptr;
        undoStack_->push(new ListCommand(*this, std::move(change), text, merge));
        emit rowsChanged();
    }
    if (failure) std::rethrow_exception(failure);
}

void PlanDocument::reset(PlacementList::Rows rows, std::u16string fileName, FileStamp stamp) {
    undoStack_->clear();
    list_.assign(std::move(rows));
    fileStamp_ = std::move(stamp);
    setFileName(std::move(fileName));
    setPendingText(std::nullopt);
    undoStack_->setClean();
    emit rowsChanged();
    emit startedOver();
}

void PlanDocument::restore(PlacementList::Rows rows, std::u16string fileName, FileStamp stamp) {
    reset(std::move(rows), std::move(fileName), std::move(stamp));
    undoStack_->resetClean();
}

void PlanDocument::markSaved(std::u16string fileName, FileStamp stamp) {
    fileStamp_ = std::move(stamp);
    setFileName(std::move(fileName));
    setPendingText(std::nullopt);
    undoStack_->setClean();
}

}  // namespace qrn
