#include "platform/qt/native_path.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "base/text.h"

namespace qrn::platform {

namespace {

bool isDrivePath(const QString& path) {
    if (path.size() < 2 || path[1] != u':') return false;
    const char16_t letter = path[0].unicode();
    const bool isLetter = (letter >= u'a' && letter <= u'z') || (letter >= u'A' && letter <= u'Z');
    return isLetter && (path.size() == 2 || path[2] == u'\\');
}

QString winePrefix() {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : prefix;
}

QString driveFolder(QChar letter) {
    const QString prefix = winePrefix();
    const QString drive = QString(letter.toLower());
    const QString device = prefix + QStringLiteral("/dosdevices/") + drive + u':';
    if (QFileInfo(device).isDir()) return device;
    return prefix + QStringLiteral("/drive_") + drive;
}

// The entry of folder that Windows would open for name, or name itself when none matches.
QString matchEntry(const QString& folder, const QString& name) {
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (entries.contains(name)) return name;
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    return name;
}

}  // namespace

QString resolveNativePath(const QString& path) {
    if (!isDrivePath(path)) return path;
    QString resolved = driveFolder(path[0]);
    bool folderExists = QFileInfo(resolved).isDir();
    const QStringList names = path.mid(2).split(u'\\', Qt::SkipEmptyParts);
    for (const QString& name : names) {
        const QString entry = folderExists ? matchEntry(resolved, name) : name;
        resolved += u'/' + entry;
        folderExists = folderExists && QFileInfo(resolved).isDir();
    }
    return resolved;
}

std::string nativePathBytes(const std::u16string& path) {
    return encodeFileName(nativePathString(path).toStdU16String());
}

QString nativePathString(const std::u16string& path) {
    return resolveNativePath(QString::fromStdU16String(path));
}

std::FILE* openNativeFile(const std::u16string& path, const char* mode) {
    return std::fopen(nativePathBytes(path).c_str(), mode);
}

}  // namespace qrn::platform
