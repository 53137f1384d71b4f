#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <memory>

namespace qrn {

namespace platform {
class FileSystem;
}
class PlanDocument;
class RecoveryEntry;
class RecoveryStore;

// Keeps a copy of a modified document's rows in the recovery folder, written at most once an
// interval, off the user-interface thread. The copy goes when the document is saved, when its
// changes are given up or undone, and when the window closes normally: only a crash leaves it.
class Autosave : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 30'000;

    Autosave(PlanDocument& document, RecoveryStore& store, platform::FileSystem& files,
             QObject* parent = nullptr);
    ~Autosave() override;

    void setInterval(int milliseconds) { timer_.setInterval(milliseconds); }
    // Off: the rows are written on the calling thread (for tests).
    void setBackground(bool background) { background_ = background; }
    // Takes over an entry, that of a recovered plan.
    void adopt(std::unique_ptr<RecoveryEntry> entry);
    // Writes the rows now when the document is modified.
    void saveNow();
    // Removes the copy (the changes were saved or given up).
    void discard();

signals:
    // The first failure to write, said once in a window's life.
    void failed(const QString& message);
    // A copy was written.
    void saved();

private:
    void documentChanged();
    void finished(const QString& error);

    PlanDocument& document_;
    RecoveryStore& store_;
    platform::FileSystem& files_;
    std::shared_ptr<RecoveryEntry> entry_;
    QTimer timer_;
    QThreadPool pool_;
    bool background_ = true;
    bool writing_ = false;
    bool failureTold_ = false;
};

}  // namespace qrn
