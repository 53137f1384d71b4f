#include "document/autosave.h"

#include <QMetaObject>
#include <QPointer>
#include <atomic>

#include "base/errors.h"
#include "document/plan_document.h"
#include "document/recovery_store.h"
#include "planfile/recovery_file.h"
#include "platform/platform.h"

namespace qrn {

// One copy on its way to the disk. The output belongs to the writing thread; the window's
// thread only hands it text, in order.
struct Autosave::Pass {
    std::unique_ptr<platform::OutputFile> out;
    QString error;
    int next = 1;                         // the next row to turn into text
    std::atomic<bool> abandoned = false;  // the rows changed under it
};

Autosave::Autosave(PlanDocument& document, RecoveryStore& store, QObject* parent)
    : QObject(parent), document_(document), store_(store) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDefaultIntervalMs);
    pool_.setMaxThreadCount(1);  // one writer: the pieces of a copy arrive in order
    connect(&timer_, &QTimer::timeout, this, &Autosave::saveNow);
    connect(&document_, &PlanDocument::rowsChanged, this, &Autosave::documentChanged);
    connect(&document_, &PlanDocument::fileNameChanged, this, &Autosave::documentChanged);
    connect(&document_, &PlanDocument::modifiedChanged, this, &Autosave::documentChanged);
    connect(&document_, &PlanDocument::pendingTextChanged, this, &Autosave::documentChanged);
}

Autosave::~Autosave() {
    if (pass_) pass_->abandoned = true;
    pool_.waitForDone();
    pass_.reset();
    discard();
}

void Autosave::adopt(std::unique_ptr<RecoveryEntry> entry) {
    pool_.waitForDone();
    if (entry_) discard();
    entry_ = std::move(entry);
}

void Autosave::documentChanged() {
    if (pass_) pass_->abandoned = true;
    if (!document_.isModified()) {
        timer_.stop();
        discard();
        return;
    }
    // Each change puts the copy off until the editing pauses, but never past the longest wait
    // since the first change it is to hold.
    if (!timer_.isActive()) waiting_.start();
    if (!timer_.isActive() || waiting_.elapsed() < longestWaitMs_) timer_.start();
}

void Autosave::discard() {
    if (!entry_ || pass_) return;  // a pass in flight removes the copy when it ends
    try {
        entry_->remove();
    } catch (const Error&) {
        // A copy that could not be removed is offered back after the next start; nothing is lost.
    }
}

void Autosave::post(std::function<void()> task) {
    if (background_)
        pool_.start(std::move(task));
    else
        task();
}

void Autosave::saveNow() {
    if (!document_.isModified() || pass_) return;
    try {
        if (!entry_) entry_ = store_.create();
    } catch (const Error& error) {
        finished(QString::fromStdU16String(error.describe()));
        return;
    }
    pass_ = std::make_shared<Pass>();
    // The stamp of the file goes with the copy: a recovered plan still knows what the file
    // held when it was read, and asks before overwriting a newer one.
    const FileStamp& stamp = document_.fileStamp();
    std::optional<platform::FileDigest> digest;
    if (!stamp.isNull() && stamp.path() == document_.fileName() && stamp.refusal().empty())
        digest = stamp.digest();
    post([pass = pass_, entry = entry_,
          header = recoveryHeader(document_.fileName(), document_.pendingText(), digest)] {
        try {
            pass->out = entry->write();
            pass->out->Write(header);
        } catch (const Error& e) {
            pass->error = QString::fromStdU16String(e.describe());
        }
    });
    nextSlice();
}

void Autosave::nextSlice() {
    const std::shared_ptr<Pass> pass = pass_;
    if (!pass) return;
    const PlacementList& list = document_.list();
    if (!pass->abandoned) {
        std::u16string text;
        const int end = std::min(list.count() + 1, pass->next + kSliceRows);
        for (; pass->next < end; ++pass->next) appendRecoveryRow(text, list.row(pass->next));
        post([pass, text = std::move(text)] {
            if (!pass->out || !pass->error.isEmpty() || pass->abandoned) return;
            try {
                pass->out->Write(text);
            } catch (const Error& e) {
                pass->error = QString::fromStdU16String(e.describe());
            }
        });
    }
    if (!pass->abandoned && pass->next <= list.count()) {
        if (background_)
            QTimer::singleShot(0, this, &Autosave::nextSlice);
        else
            nextSlice();
        return;
    }
    // The last piece: commit (unless abandoned), then tell the window's thread.
    post([pass, self = QPointer<Autosave>(this), background = background_] {
        if (pass->out && pass->error.isEmpty() && !pass->abandoned) {
            try {
                pass->out->Commit();
            } catch (const Error& e) {
                pass->error = QString::fromStdU16String(e.describe());
            }
        }
        pass->out.reset();
        const auto done = [self, pass] {
            if (self) self->finished(pass->abandoned ? QString() : pass->error);
        };
        if (background)
            QMetaObject::invokeMethod(self.data(), done, Qt::QueuedConnection);
        else
            done();
    });
}

void Autosave::finished(const QString& error) {
    const bool abandoned = pass_ && pass_->abandoned;
    pass_.reset();
    if (!error.isEmpty()) {
        if (!failureTold_) {
            failureTold_ = true;
            emit failed(error);
        }
        return;
    }
    if (!document_.isModified()) {
        discard();  // saved or given up while the copy was being written
        return;
    }
    if (abandoned) {
        if (!timer_.isActive()) timer_.start();
        return;
    }
    emit saved();
}

}  // namespace qrn
