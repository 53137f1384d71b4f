#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>

namespace qrn {

namespace platform {
class FileSystem;
}
class PlanDocument;
class RecoveryEntry;
class RecoveryStore;

// Keeps a copy of a modified document's rows (and its pending text) in the recovery folder, written
// at most once an interval. The window's thread only turns a slice of rows at a time into text,
// between events; the file is written on a thread of its own. A change of the rows during a pass
// abandons it (the earlier copy stays) and a new one starts after the interval. The copy goes
// when the document is saved, when its changes are given up or undone, and when the window
// closes normally: only a crash leaves it.
class Autosave : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 30'000;
    // Rows turned into text in one slice on the window's thread.
    static constexpr int kSliceRows = 10'000;

    Autosave(PlanDocument& document, RecoveryStore& store, platform::FileSystem& files,
             QObject* parent = nullptr);
    ~Autosave() override;

    void setInterval(int milliseconds) { timer_.setInterval(milliseconds); }
    // Off: everything runs at once on the calling thread (for tests).
    void setBackground(bool background) { background_ = background; }
    // Takes over an entry, that of a recovered plan.
    void adopt(std::unique_ptr<RecoveryEntry> entry);
    // Starts writing the rows now when the document is modified.
    void saveNow();
    // Removes the copy (the changes were saved or given up).
    void discard();

signals:
    // The first failure to write, said once in a window's life.
    void failed(const QString& message);
    // A copy was written.
    void saved();

private:
    struct Pass;
    void documentChanged();
    void nextSlice();
    void post(std::function<void()> task);
    void finished(const QString& error);

    PlanDocument& document_;
    RecoveryStore& store_;
    platform::FileSystem& files_;
    std::shared_ptr<RecoveryEntry> entry_;
    std::shared_ptr<Pass> pass_;  // the copy being written, if any
    QTimer timer_;
    QThreadPool pool_;
    bool background_ = true;
    bool failureTold_ = false;
};

}  // namespace qrn
