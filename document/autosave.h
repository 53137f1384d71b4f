#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>

namespace qrn {

class PlanDocument;
class RecoveryEntry;
class RecoveryStore;

// Keeps a copy of a modified document's rows (and its pending text, and the stamp of its file) in
// the recovery folder, written once the editing pauses for an interval (and at the latest a
// longest wait after the first change it holds). The window's thread only turns a slice of rows at
// a time into text, between events; the file is written on a thread of its own. A change of the
// rows during a pass abandons it (the earlier copy stays) and a new one starts after the interval.
// The copy goes when the document is saved, when its changes are given up or undone, and when the
// window closes normally: only a crash leaves it.
class Autosave : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 3'000;
    static constexpr int kDefaultLongestWaitMs = 30'000;
    // Rows turned into text in one slice on the window's thread.
    static constexpr int kSliceRows = 10'000;

    Autosave(PlanDocument& document, RecoveryStore& store, QObject* parent = nullptr);
    ~Autosave() override;

    // The pause after the last change, and the longest wait after the first.
    void setInterval(int milliseconds) { timer_.setInterval(milliseconds); }
    void setLongestWait(int milliseconds) { longestWaitMs_ = milliseconds; }
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
    std::shared_ptr<RecoveryEntry> entry_;
    std::shared_ptr<Pass> pass_;  // the copy being written, if any
    QTimer timer_;
    QElapsedTimer waiting_;  // since the first change the next copy holds
    int longestWaitMs_ = kDefaultLongestWaitMs;
    QThreadPool pool_;
    bool background_ = true;
    bool failureTold_ = false;
};

}  // namespace qrn
