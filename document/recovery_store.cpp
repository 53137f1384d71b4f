#include "document/recovery_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "planfile/temp_name.h"
#include "platform/platform.h"

namespace qrn {

namespace {

const QString kRowsSuffix = QStringLiteral(".jsonl");
const QString kLockSuffix = QStringLiteral(".lock");
// Names drawn before giving up when every one is taken.
constexpr int kNameAttempts = 100;

bool isOwnRegularFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

// The recovery folder, opened as itself (never through a link) and checked to be this user's;
// closed with the object. Not open when the folder does not exist.
class Folder {
public:
    Folder(const QString& path, bool create) {
        const QByteArray name = QFile::encodeName(path);
        if (create && ::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            fail(path, withSystemReason(u"impossible de créer le dossier de récupération", errno));
        fd_ = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd_ < 0) {
            const int error = errno;
            if (error == ENOENT && !create) return;
            struct stat link {};
            if ((error == ELOOP || error == ENOTDIR) && ::lstat(name.constData(), &link) == 0)
                fail(path, S_ISLNK(link.st_mode)
                               ? u"le dossier de récupération est un lien symbolique"
                               : u"le dossier de récupération n'est pas un dossier");
            fail(path, withSystemReason(u"dossier de récupération inaccessible", error));
        }
        struct stat info {};
        if (::fstat(fd_, &info) != 0 || info.st_uid != ::geteuid())
            fail(path, u"le dossier de récupération appartient à un autre utilisateur");
        // Unsaved plans are the user's own: nobody else may read them.
        if (create && (info.st_mode & 07777) != 0700 && ::fchmod(fd_, 0700) != 0)
            fail(path,
                 withSystemReason(u"impossible de protéger le dossier de récupération", errno));
    }
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // What name is, looked at as itself (a link is not followed); false when there is nothing
    // of that name.
    bool look(const QString& name, struct stat& info) const {
        return ::fstatat(fd_, QFile::encodeName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    }
    bool holdsOwnFile(const QString& name) const {
        struct stat info {};
        return look(name, info) && isOwnRegularFile(info);
    }
    bool holds(const QString& name) const {
        struct stat info {};
        return look(name, info);
    }

private:
    [[noreturn]] void fail(const QString& path, const std::u16string& reason) {
        if (fd_ >= 0) ::close(fd_);
        throw FileError(path.toStdU16String(), reason);
    }

    int fd_ = -1;
};

// QLockFile never takes over a lock file it cannot read an owner from (left empty or cut short
// by a power loss): to it such a lock is alive for ever, and the copy beside it hidden. Such a
// file is removed when it is a regular file of this user's that no process holds (QLockFile
// keeps an flock on the lock files it holds, from before it writes their owner).
bool removeOwnerlessLock(const QLockFile& lock, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    qint64 pid = 0;
    QString host, application;
    const bool removed =
        ::fstat(fd, &info) == 0 && isOwnRegularFile(info) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        !lock.getLockInfo(&pid, &host, &application) && ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

}  // namespace

RecoveryEntry::RecoveryEntry(QString folder, QString name, std::unique_ptr<QLockFile> lock)
    : folder_(std::move(folder)), name_(std::move(name)), lock_(std::move(lock)) {}

RecoveryEntry::~RecoveryEntry() = default;

QString RecoveryEntry::path() const {
    return QDir(folder_).filePath(name_ + kRowsSuffix);
}

RecoveredPlan RecoveryEntry::read(platform::FileSystem& files) const {
    return readRecovery(path().toStdU16String(), files);
}

QDateTime RecoveryEntry::savedAt() const {
    return QFileInfo(path()).lastModified();
}

void RecoveryEntry::remove(platform::FileSystem& files) const {
    if (QFileInfo::exists(path())) files.DeleteFile(path().toStdU16String());
}

QString RecoveryStore::defaultFolder() {
    // The plug-in's own folder under the user's data folder, whichever host loaded it: a plan
    // left by a crash in one host is offered back in any other.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("QRNPlg/recovery"));
}

RecoveryStore::RecoveryStore(QString folder, platform::Random& random)
    : folder_(std::move(folder)), random_(random) {}

std::unique_ptr<QLockFile> RecoveryStore::tryLock(const QString& name) const {
    auto lock = std::make_unique<QLockFile>(QDir(folder_).filePath(name + kLockSuffix));
    // Only a lock whose process is gone is stale, however long its window has been open.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) return lock;
    if (lock->error() == QLockFile::LockFailedError &&
        removeOwnerlessLock(*lock, lock->fileName()) && lock->tryLock(0))
        return lock;
    return nullptr;
}

std::unique_ptr<RecoveryEntry> RecoveryStore::create() {
    const QFileInfo folder(folder_);
    if (!QDir().mkpath(folder.path()))
        throw FileError(folder_.toStdU16String(),
                        u"impossible de créer le dossier de récupération");
    const Folder checked(folder_, true);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        QString name = QString::fromStdU16String(MakeTempName(random_));
        name.chop(4);  // ".tmp"
        const QString rows = name + kRowsSuffix, lockName = name + kLockSuffix;
        // Any file of the name, a dangling link too, takes it.
        if (checked.holds(rows) || (checked.holds(lockName) && !checked.holdsOwnFile(lockName)))
            continue;
        if (auto lock = tryLock(name)) {
            // Taken between the look and the lock by an orphan's file: draw again.
            if (checked.holds(rows)) continue;
            return std::make_unique<RecoveryEntry>(folder_, name, std::move(lock));
        }
    }
    throw FileError(folder_.toStdU16String(), u"aucun nom libre dans le dossier de récupération");
}

std::vector<std::unique_ptr<RecoveryEntry>> RecoveryStore::orphans() {
    skipped_.clear();
    std::vector<std::unique_ptr<RecoveryEntry>> found;
    const Folder checked(folder_, false);
    if (!checked.isOpen()) return found;
    const QStringList files =
        QDir(folder_).entryList({QLatin1Char('*') + kRowsSuffix},
                                QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    // Locks without a copy are left by windows that crashed before their first copy, or that
    // deleted theirs: once their process is gone nothing needs them. A live window's stays.
    const QStringList locks = QDir(folder_).entryList({QLatin1Char('*') + kLockSuffix},
                                                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& file : locks) {
        const QString name = file.chopped(kLockSuffix.size());
        if (checked.holds(name + kRowsSuffix) || !checked.holdsOwnFile(file)) continue;
        if (const auto lock = tryLock(name)) lock->unlock();
    }
    for (const QString& file : files) {
        const QString name = file.chopped(kRowsSuffix.size());
        if (!checked.holdsOwnFile(file)) {
            skipped_ << file;
        } else if (checked.holds(name + kLockSuffix) && !checked.holdsOwnFile(name + kLockSuffix)) {
            skipped_ << name + kLockSuffix;
        } else if (auto lock = tryLock(name)) {
            found.push_back(std::make_unique<RecoveryEntry>(folder_, name, std::move(lock)));
        }
    }
    return found;
}

std::u16string recoveryQuestion(const RecoveredPlan& plan, const QDateTime& savedAt) {
    const std::size_t rows = plan.rows.size();
    const QString text =
        QStringLiteral(
            "Un plan non enregistré a été retrouvé après un arrêt inattendu :\n%1\n"
            "Copie du %2 à %3, %4 %5.\n"
            "Récupérer le rétablit dans cette fenêtre ; Ignorer le garde pour plus tard ; "
            "Supprimer l'efface.")
            .arg(plan.file.empty() ? QStringLiteral("sans nom")
                                   : QString::fromStdU16String(displayName(plan.file)),
                 savedAt.toString(QStringLiteral("dd/MM/yyyy")),
                 savedAt.toString(QStringLiteral("HH:mm")), QString::number(rows),
                 rows > 1 ? QStringLiteral("lignes") : QStringLiteral("ligne"));
    return text.toStdU16String();
}

QString RecoveryStore::skippedText() const {
    if (skipped_.isEmpty()) return {};
    const QString what = skipped_.size() == 1
                             ? QStringLiteral(
                                   " fichier de récupération ignoré (lien, fichier "
                                   "spécial ou d'un autre utilisateur) : ")
                             : QStringLiteral(
                                   " fichiers de récupération ignorés (liens, fichiers "
                                   "spéciaux ou d'un autre utilisateur) : ");
    return QString::number(skipped_.size()) + what + skipped_.join(QStringLiteral(", "));
}

}  // namespace qrn
