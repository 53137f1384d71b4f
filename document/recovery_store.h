#pragma once

#include <QLockFile>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "planfile/recovery_file.h"

namespace qrn {

namespace platform {
class FileSystem;
class Random;
}  // namespace platform

// One window's place in the recovery folder: NAME.jsonl for its rows and NAME.lock, held
// while the window lives. A lock left by a process that is gone marks an orphan.
class RecoveryEntry {
public:
    RecoveryEntry(QString folder, QString name, std::unique_ptr<QLockFile> lock);
    ~RecoveryEntry();

    QString path() const;
    RecoveredPlan read(platform::FileSystem& files) const;
    // Deletes the rows' file, if written; the lock goes with the entry.
    void remove(platform::FileSystem& files) const;

private:
    QString folder_;
    QString name_;
    std::unique_ptr<QLockFile> lock_;
};

// The per-user recovery folder (created owner-only).
class RecoveryStore {
public:
    // ~/.local/share/QRNPlg/recovery (under XDG_DATA_HOME when it is set).
    static QString defaultFolder();

    RecoveryStore(QString folder, platform::Random& random);

    const QString& folder() const { return folder_; }
    // A new entry under a name nobody else holds; no file is written yet.
    std::unique_ptr<RecoveryEntry> create();
    // The entries with rows whose window is gone: their locks are now held by the caller.
    std::vector<std::unique_ptr<RecoveryEntry>> orphans();

private:
    bool ensureFolder();
    std::unique_ptr<QLockFile> tryLock(const QString& name) const;

    QString folder_;
    platform::Random& random_;
};

}  // namespace qrn
