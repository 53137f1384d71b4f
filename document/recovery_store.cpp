#include "document/recovery_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "base/errors.h"
#include "planfile/temp_name.h"
#include "platform/platform.h"

namespace qrn {

namespace {

const QString kRowsSuffix = QStringLiteral(".jsonl");
const QString kLockSuffix = QStringLiteral(".lock");
// Names drawn before giving up when every one is taken.
constexpr int kNameAttempts = 100;

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

bool RecoveryStore::ensureFolder() {
    if (!QDir().mkpath(folder_)) return false;
    // Unsaved plans are the user's own: nobody else may read them.
    return QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

std::unique_ptr<QLockFile> RecoveryStore::tryLock(const QString& name) const {
    auto lock = std::make_unique<QLockFile>(QDir(folder_).filePath(name + kLockSuffix));
    // Only a lock whose process is gone is stale, however long its window has been open.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

std::unique_ptr<RecoveryEntry> RecoveryStore::create() {
    if (!ensureFolder())
        throw FileError(folder_.toStdU16String(),
                        u"impossible de créer le dossier de récupération");
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        QString name = QString::fromStdU16String(MakeTempName(random_));
        name.chop(4);  // ".tmp"
        if (QFileInfo::exists(QDir(folder_).filePath(name + kRowsSuffix))) continue;
        if (auto lock = tryLock(name)) {
            // Taken between the look and the lock by an orphan's file: draw again.
            if (QFileInfo::exists(QDir(folder_).filePath(name + kRowsSuffix))) continue;
            return std::make_unique<RecoveryEntry>(folder_, name, std::move(lock));
        }
    }
    throw FileError(folder_.toStdU16String(), u"aucun nom libre dans le dossier de récupération");
}

std::vector<std::unique_ptr<RecoveryEntry>> RecoveryStore::orphans() {
    std::vector<std::unique_ptr<RecoveryEntry>> found;
    const QStringList files =
        QDir(folder_).entryList({QLatin1Char('*') + kRowsSuffix}, QDir::Files, QDir::Name);
    for (QString name : files) {
        name.chop(kRowsSuffix.size());
        if (auto lock = tryLock(name))
            found.push_back(std::make_unique<RecoveryEntry>(folder_, name, std::move(lock)));
    }
    return found;
}

}  // namespace qrn
