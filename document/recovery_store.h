#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "planfile/recovery_file.h"

namespace qrn {

namespace platform {
class FileSystem;
class OutputFile;
class PrivateFolder;
class Random;
}  // namespace platform

// One window's place in the recovery folder: NAME.jsonl for its rows and NAME.lock, held
// while the window lives. A lock left by a process that is gone marks an orphan. Every file
// of it is reached through the folder as it was opened and checked (platform::PrivateFolder).
class RecoveryEntry {
public:
    RecoveryEntry(std::shared_ptr<platform::PrivateFolder> folder, QString name,
                  std::unique_ptr<QLockFile> lock);
    ~RecoveryEntry();

    QString path() const;
    RecoveredPlan read() const;
    // A new copy, taking the place of the last one at its Commit(); refused there when the
    // copy's name no longer holds a regular file of this user's.
    std::unique_ptr<platform::OutputFile> write() const;
    // When the copy was last written (invalid when there is none).
    QDateTime savedAt() const;
    // Deletes the rows' file, if written; the lock goes with the entry.
    void remove() const;

private:
    std::shared_ptr<platform::PrivateFolder> folder_;
    QString name_;
    std::unique_ptr<QLockFile> lock_;
};

// The per-user recovery folder (created owner-only). The folder is used only when it is a real
// folder of this user's, and its copies and locks only when they are regular files of this
// user's: a link or a FIFO planted there is never read, written or followed, and someone
// else's copy is never offered.
class RecoveryStore {
public:
    // ~/.local/share/QRNPlg/recovery (under XDG_DATA_HOME when it is set).
    static QString defaultFolder();

    RecoveryStore(QString folder, platform::Random& random, platform::FileSystem& files);

    const QString& folder() const { return folder_; }
    // A new entry under a name nobody else holds; no file is written yet. Throws FileError
    // naming the folder when it cannot be made or is not a folder of this user's.
    std::unique_ptr<RecoveryEntry> create();
    // The entries with rows whose window is gone: their locks are now held by the caller (the
    // locks without rows whose window is gone are removed on the way). A
    // lock that holds no owner (left empty or cut short) counts as gone. Copies and locks that
    // are not regular files of this user's are left alone and named in skipped(). Nothing when
    // the folder does not exist; FileError when it is not a folder of this user's.
    std::vector<std::unique_ptr<RecoveryEntry>> orphans();
    // The names the last orphans() left alone, and the status line's text about them (empty
    // when there are none).
    const QStringList& skipped() const { return skipped_; }
    QString skippedText() const;

private:
    std::unique_ptr<QLockFile> tryLock(platform::PrivateFolder& folder, const QString& name) const;

    QString folder_;
    platform::Random& random_;
    platform::FileSystem& files_;
    QStringList skipped_;
};

// The recovery offer's question: the plan's file ("sans nom" for none) on a line of its own,
// the copy's date and time and its row count, then what each answer does.
std::u16string recoveryQuestion(const RecoveredPlan& plan, const QDateTime& savedAt);

}  // namespace qrn
