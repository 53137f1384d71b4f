#include "document/recovery_store.h"

#include <QDir>
#include <QStandardPaths>

#include "base/errors.h"
#include "base/text.h"
#include "planfile/temp_name.h"
#include "platform/platform.h"

namespace qrn {

namespace {

const QString kRowsSuffix = QStringLiteral(".jsonl");
const QString kLockSuffix = QStringLiteral(".lock");
// Names drawn before giving up when every one is taken.
constexpr int kNameAttempts = 100;

using Kind = platform::PrivateFolder::Kind;

Kind look(platform::PrivateFolder& folder, const QString& name) {
    return folder.Look(name.toStdU16String());
}

}  // namespace

RecoveryEntry::RecoveryEntry(std::shared_ptr<platform::PrivateFolder> folder, QString name,
                             std::unique_ptr<QLockFile> lock)
    : folder_(std::move(folder)), name_(std::move(name)), lock_(std::move(lock)) {}

RecoveryEntry::~RecoveryEntry() = default;

QString RecoveryEntry::path() const {
    return QString::fromStdU16String(folder_->PathOf((name_ + kRowsSuffix).toStdU16String()));
}

RecoveredPlan RecoveryEntry::read() const {
    const std::u16string name = (name_ + kRowsSuffix).toStdU16String();
    return readRecovery(*folder_->OpenTextFile(name), folder_->PathOf(name));
}

std::unique_ptr<platform::OutputFile> RecoveryEntry::write() const {
    return folder_->CreateOutputFile((name_ + kRowsSuffix).toStdU16String());
}

QDateTime RecoveryEntry::savedAt() const {
    const std::int64_t at = folder_->ModifiedAt((name_ + kRowsSuffix).toStdU16String());
    return at == 0 ? QDateTime() : QDateTime::fromSecsSinceEpoch(at);
}

void RecoveryEntry::remove() const {
    folder_->DeleteFile((name_ + kRowsSuffix).toStdU16String());
}

QString RecoveryStore::defaultFolder() {
    // The plug-in's own folder under the user's data folder, whichever host loaded it: a plan
    // left by a crash in one host is offered back in any other.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("QRNPlg/recovery"));
}

RecoveryStore::RecoveryStore(QString folder, platform::Random& random, platform::FileSystem& files)
    : folder_(std::move(folder)), random_(random), files_(files) {}

std::unique_ptr<QLockFile> RecoveryStore::tryLock(platform::PrivateFolder& folder,
                                                  const QString& name) const {
    auto lock = std::make_unique<QLockFile>(QDir(folder_).filePath(name + kLockSuffix));
    // Only a lock whose process is gone is stale, however long its window has been open.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) return lock;
    // QLockFile never takes over a lock file it cannot read an owner from (left empty or cut
    // short by a power loss): to it such a lock is alive for ever, and the copy beside it
    // hidden. Such a file is removed when it is a regular file of this user's that no process
    // holds (QLockFile keeps an flock on the lock files it holds, from before it writes their
    // owner).
    qint64 pid = 0;
    QString host, application;
    if (lock->error() == QLockFile::LockFailedError &&
        !lock->getLockInfo(&pid, &host, &application) &&
        folder.RemoveUnheld((name + kLockSuffix).toStdU16String()) && lock->tryLock(0))
        return lock;
    return nullptr;
}

std::unique_ptr<RecoveryEntry> RecoveryStore::create() {
    const std::shared_ptr<platform::PrivateFolder> checked =
        files_.OpenPrivateFolder(folder_.toStdU16String(), true);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        QString name = QString::fromStdU16String(MakeTempName(random_));
        name.chop(4);  // ".tmp"
        const QString rows = name + kRowsSuffix, lockName = name + kLockSuffix;
        // Any file of the name, a dangling link too, takes it.
        const Kind lockKind = look(*checked, lockName);
        if (look(*checked, rows) != Kind::None || lockKind == Kind::Other) continue;
        if (auto lock = tryLock(*checked, name)) {
            // Taken between the look and the lock by an orphan's file: draw again.
            if (look(*checked, rows) != Kind::None) continue;
            return std::make_unique<RecoveryEntry>(checked, name, std::move(lock));
        }
    }
    throw FileError(folder_.toStdU16String(), u"aucun nom libre dans le dossier de récupération");
}

std::vector<std::unique_ptr<RecoveryEntry>> RecoveryStore::orphans() {
    skipped_.clear();
    std::vector<std::unique_ptr<RecoveryEntry>> found;
    const std::shared_ptr<platform::PrivateFolder> checked =
        files_.OpenPrivateFolder(folder_.toStdU16String(), false);
    if (!checked) return found;
    // Locks without a copy are left by windows that crashed before their first copy, or that
    // deleted theirs: once their process is gone nothing needs them. A live window's stays.
    for (const std::u16string& file : checked->List(kLockSuffix.toStdU16String())) {
        const QString name = QString::fromStdU16String(file).chopped(kLockSuffix.size());
        if (look(*checked, name + kRowsSuffix) != Kind::None ||
            checked->Look(file) != Kind::OwnFile)
            continue;
        if (const auto lock = tryLock(*checked, name)) lock->unlock();
    }
    for (const std::u16string& file : checked->List(kRowsSuffix.toStdU16String())) {
        const QString name = QString::fromStdU16String(file).chopped(kRowsSuffix.size());
        if (checked->Look(file) != Kind::OwnFile) {
            skipped_ << QString::fromStdU16String(file);
        } else if (look(*checked, name + kLockSuffix) == Kind::Other) {
            skipped_ << name + kLockSuffix;
        } else if (auto lock = tryLock(*checked, name)) {
            found.push_back(std::make_unique<RecoveryEntry>(checked, name, std::move(lock)));
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
