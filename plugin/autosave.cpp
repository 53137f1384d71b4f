#include "plugin/autosave.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include "base/errors.h"
#include "plugin/plan_document.h"
#include "plugin/recovery_store.h"

namespace qrn {

Autosave::Autosave(PlanDocument& document, RecoveryStore& store, platform::FileSystem& files,
                   QObject* parent)
    : QObject(parent), document_(document), store_(store), files_(files) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDefaultIntervalMs);
    pool_.setMaxThreadCount(1);
    connect(&timer_, &QTimer::timeout, this, &Autosave::saveNow);
    connect(&document_, &PlanDocument::rowsChanged, this, &Autosave::documentChanged);
    connect(&document_, &PlanDocument::fileNameChanged, this, &Autosave::documentChanged);
    connect(&document_, &PlanDocument::modifiedChanged, this, &Autosave::documentChanged);
}

Autosave::~Autosave() {
    pool_.waitForDone();
    discard();
}

void Autosave::adopt(std::unique_ptr<RecoveryEntry> entry) {
    pool_.waitForDone();
    if (entry_) discard();
    entry_ = std::move(entry);
}

void Autosave::documentChanged() {
    if (!document_.isModified()) {
        timer_.stop();
        discard();
    } else if (!timer_.isActive()) {
        timer_.start();
    }
}

void Autosave::discard() {
    if (!entry_ || writing_) return;  // a write in flight is removed when it ends
    try {
        entry_->remove(files_);
    } catch (const Error&) {
        // A copy that could not be removed is offered back after the next start; nothing is lost.
    }
}

void Autosave::saveNow() {
    if (!document_.isModified()) return;
    if (writing_) {
        timer_.start();  // the rows changed again while the last copy was being written
        return;
    }
    try {
        if (!entry_) entry_ = store_.create();
    } catch (const Error& error) {
        finished(QString::fromStdU16String(error.describe()));
        return;
    }
    // The rows are copied here, on the window's thread; only writing them goes to the pool.
    PlacementList::Rows copy;
    for (int p = 1; p <= document_.list().count(); ++p) copy.push_back(document_.list().row(p));
    auto write = [entry = entry_, file = document_.fileName(), rows = std::move(copy),
                  &files = files_, self = QPointer<Autosave>(this)]() {
        QString error;
        try {
            entry->write(file, rows, files);
        } catch (const Error& e) {
            error = QString::fromStdU16String(e.describe());
        }
        QMetaObject::invokeMethod(
            self.data(),
            [self, error] {
                if (self) self->finished(error);
            },
            Qt::QueuedConnection);
    };
    writing_ = true;
    if (background_) {
        pool_.start(std::move(write));
    } else {
        write();
        QCoreApplication::processEvents();
    }
}

void Autosave::finished(const QString& error) {
    writing_ = false;
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
    emit saved();
}

}  // namespace qrn
